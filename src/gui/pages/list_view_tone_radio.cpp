#include "gui/pages/list_view_tone_radio.h"

#include "pages/page_rows.h"

CListViewToneRadio::CListViewToneRadio(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(9050, {SectionRow(9051),
                       ValueChoiceRow(9052, u"radio_tone_gain", "radio_tone_gain.htm", NumberChoices(0, 32)),
                       OffOnRow(9053, u"radio_tone_gain_link")});
}

TALVERO_REGISTER_PAGE(1029, CListViewToneRadio);
