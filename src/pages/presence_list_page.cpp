#include "document/settings_catalogue.h"
#include "pages/page_list.h"

PageDeclaration PresenceListPage() {
    TableLayout table;
    table.titleId = 8900;
    table.sectionId = 8901;
    table.members = kStatuses;
    table.helpPerColumn = true;
    table.columns = {
        {8903, 70, ChoiceRow(0, u"sw_presence", {}, OffOnChoices())},
        {8902, 350, TextRow(0, u"stat", {}, 430)},
    };
    return TablePage(1025, std::move(table));
}
