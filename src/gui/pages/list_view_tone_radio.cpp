#include "gui/pages/list_view_tone_radio.h"

#include "gui/pages/page_rows.h"

CListViewToneRadio::CListViewToneRadio(QWidget* parent, const PageContext& context)
    : CListViewExtraRows(parent, context) {
    DeclareRows(9050, {SectionRow(9051), KeyTextRow(9052, u"radio_tone_gain"),
                       OffOnRow(9053, u"radio_tone_gain_link")});
    SetComboItems(1, NumberItems(0, 32));
}

TALVERO_REGISTER_PAGE(1029, CListViewToneRadio);
