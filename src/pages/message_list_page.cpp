#include "document/settings_catalogue.h"
#include "pages/page_list.h"

PageDeclaration MessageListPage() {
    TableLayout table;
    table.titleId = 8800;
    table.sectionId = 8801;
    table.members = kMessages;
    // A text the radio cannot display is refused with the name check's message.
    table.columns = {{8802, 350, TextRow(0, u"msg", {}, 430)}};
    return TablePage(1023, std::move(table));
}
