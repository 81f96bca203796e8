#include "gui/pages/list_view_volume.h"

#include "gui/pages/page_rows.h"
#include "gui/pages/page_text.h"

CListViewVolume::CListViewVolume(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(10500,
                {SectionRow(10500),
                 ValueChoiceRow(10501, u"audio_af_min", "audio_af_min.htm", NumberChoices(0, 32), 10510),
                 ValueChoiceRow(10502, u"audio_af_max", "audio_af_max.htm", NumberChoices(0, 32), 10510),
                 SectionRow(10505), OffOnRow(10506, u"ext_afout")});
    // The radio knows an automatic external output; a configuration that holds it shows it.
    AddValueText(QStringLiteral("auto"), PageText(2590), QStringLiteral("default"));
}

TALVERO_REGISTER_PAGE(1034, CListViewVolume);
