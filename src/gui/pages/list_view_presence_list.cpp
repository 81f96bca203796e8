#include "gui/pages/list_view_presence_list.h"

#include "document/settings_catalogue.h"

CListViewPresenceList::CListViewPresenceList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    TableLayout table;
    table.titleId = 8900;
    table.sectionId = 8901;
    table.members = kStatuses;
    table.helpPerColumn = true;
    table.columns = {
        {8903, 70, ChoiceRow(0, u"sw_presence", "sw_presence.htm", OffOnChoices())},
        {8902, 350, TextRow(0, u"stat", "stat.htm", 430)},
    };
    DeclareTable(std::move(table));
}

TALVERO_REGISTER_PAGE(1025, CListViewPresenceList);
