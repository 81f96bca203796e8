#include "pages/page_list.h"

PageDeclaration TxStartTonePage() {
    return RowsPage(1007, 3200,
                    {SectionRow(3201), ChoiceRow(3202, u"tx_start_indi_tone", {}, ToneChoices()),
                     ChoiceRow(3203, u"tx_start_group_tone", {}, ToneChoices()),
                     ChoiceRow(3204, u"tx_start_all_tone", {}, ToneChoices()),
                     ChoiceRow(3205, u"tx_start_tel_tone", {}, ToneChoices())});
}
