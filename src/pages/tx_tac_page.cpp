#include "document/settings_catalogue.h"
#include "pages/page_list.h"

PageDeclaration TxTacPage() {
    // The tones are "none" or "tone1", offered as off and on.
    const std::vector<PageChoice> tone = ListChoices(choice_lists::kToneOnOff, {kTextOff, kTextOn});
    return RowsPage(1005, 3100,
                    {SectionRow(3101), ChoiceRow(3102, u"tac", {}, OffOnChoices()),
                     ChoiceRow(3103, u"tac_ok_tone", {}, tone), ChoiceRow(3104, u"tac_ng_tone", {}, tone)});
}
