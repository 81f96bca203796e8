#include "gui/pages/list_view_volume.h"

#include "gui/pages/page_rows.h"
#include "gui/pages/page_text.h"

CListViewVolume::CListViewVolume(QWidget* parent, const PageContext& context)
    : CListViewExtraRows(parent, context) {
    DeclareRows(
        10500, {SectionRow(10500), KeyTextRow(10501, u"audio_af_min", 10510),
                KeyTextRow(10502, u"audio_af_max", 10510), SectionRow(10505), OffOnRow(10506, u"ext_afout")});
    // The radio knows an automatic external output; a configuration that holds it shows it.
    AddValueText(QStringLiteral("auto"), PageText(2590), QStringLiteral("default"));
    SetComboItems(1, NumberItems(0, 32));
    SetComboItems(2, NumberItems(0, 32));
}

TALVERO_REGISTER_PAGE(1034, CListViewVolume);
