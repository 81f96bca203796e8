#include "pages/page_list.h"

PageDeclaration TxPriorityPage() {
    return RowsPage(1008, 3300, {SectionRow(3301), ChoiceRow(3302, u"pri_call", {}, OffOnChoices())});
}
