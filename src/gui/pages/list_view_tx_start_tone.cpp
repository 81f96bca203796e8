#include "gui/pages/list_view_tx_start_tone.h"

CListViewTxStartTone::CListViewTxStartTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(3200, {SectionRow(3201),
                       ChoiceRow(3202, u"tx_start_indi_tone", "tx_start_indi_tone.htm", ToneChoices()),
                       ChoiceRow(3203, u"tx_start_group_tone", "tx_start_group_tone.htm", ToneChoices()),
                       ChoiceRow(3204, u"tx_start_all_tone", "tx_start_all_tone.htm", ToneChoices()),
                       ChoiceRow(3205, u"tx_start_tel_tone", "tx_start_tel_tone.htm", ToneChoices())});
}

TALVERO_REGISTER_PAGE(1007, CListViewTxStartTone);
