#include "gui/pages/list_view_tx_tac.h"

#include "document/settings_catalogue.h"

CListViewTxTac::CListViewTxTac(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    // The tones are "none" or "tone1", offered as off and on.
    const std::vector<PageChoice> tone = ListChoices(choice_lists::kToneOnOff, {kTextOff, kTextOn});
    DeclareRows(3100, {SectionRow(3101), ChoiceRow(3102, u"tac", "tac.htm", OffOnChoices()),
                       ChoiceRow(3103, u"tac_ok_tone", "tac_ok_tone.htm", tone, u"tone"),
                       ChoiceRow(3104, u"tac_ng_tone", "tac_ng_tone.htm", tone, u"tone")});
}

TALVERO_REGISTER_PAGE(1005, CListViewTxTac);
