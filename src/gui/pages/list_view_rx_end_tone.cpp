#include "gui/pages/list_view_rx_end_tone.h"

CListViewRxEndTone::CListViewRxEndTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(
        8100, {SectionRow(8101), ChoiceRow(8102, u"rx_end_indi_tone", "rx_end_indi_tone.htm", ToneChoices()),
               ChoiceRow(8103, u"rx_end_group_tone", "rx_end_group_tone.htm", ToneChoices()),
               ChoiceRow(8104, u"rx_end_all_tone", "rx_end_all_tone.htm", ToneChoices()),
               ChoiceRow(8105, u"rx_end_tel_tone", "rx_end_tel_tone.htm", ToneChoices())});
}

TALVERO_REGISTER_PAGE(1012, CListViewRxEndTone);
