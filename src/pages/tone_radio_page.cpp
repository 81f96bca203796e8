#include "pages/page_list.h"
#include "pages/page_rows.h"

PageDeclaration ToneRadioPage() {
    return RowsPage(1029, 9050,
                    {SectionRow(9051), ValueChoiceRow(9052, u"radio_tone_gain", {}, NumberChoices(0, 32)),
                     OffOnRow(9053, u"radio_tone_gain_link")});
}
