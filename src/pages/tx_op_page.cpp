#include "pages/page_list.h"

// "ptt_lock" and "ptt_toggle" carry no value rule: their setters store the chosen value as is.
PageDeclaration TxOpPage() {
    return RowsPage(
        1006, 3150,
        {SectionRow(3151), ChoiceRow(3152, u"tx_ban", {}, OffOnChoices()),
         ChoiceRow(3155, u"tx_inhibit", {}, OffOnChoices()), ChoiceRow(3156, u"ptt_lock", {}, OffOnChoices()),
         ChoiceRow(3157, u"standby_call", {}, OffOnChoices()),
         ChoiceRow(3158, u"ptt_toggle", {}, OffOnChoices())});
}
