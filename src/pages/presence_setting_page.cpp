#include "pages/page_list.h"

PageDeclaration PresenceSettingPage() {
    return RowsPage(1024, 8850, {SectionRow(8851), ChoiceRow(8852, u"stat_tx", {}, OffOnChoices())});
}
