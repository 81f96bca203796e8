#include "document/settings_catalogue.h"
#include "pages/page_list.h"

PageDeclaration RxNotifyPage() {
    return RowsPage(
        1010, 8000,
        {SectionRow(8001),
         ChoiceRow(8002, u"call_action", {}, ListChoices(choice_lists::kCallActions, {8003, 8004, 8005})),
         ChoiceRow(8006, u"tone_vol", {}, NumberChoices(0, 32)),
         ChoiceRow(8008, u"tone_vol_link", {}, OffOnChoices())});
}
