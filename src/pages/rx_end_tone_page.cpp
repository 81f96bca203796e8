#include "pages/page_list.h"

PageDeclaration RxEndTonePage() {
    return RowsPage(1012, 8100,
                    {SectionRow(8101), ChoiceRow(8102, u"rx_end_indi_tone", {}, ToneChoices()),
                     ChoiceRow(8103, u"rx_end_group_tone", {}, ToneChoices()),
                     ChoiceRow(8104, u"rx_end_all_tone", {}, ToneChoices()),
                     ChoiceRow(8105, u"rx_end_tel_tone", {}, ToneChoices())});
}
