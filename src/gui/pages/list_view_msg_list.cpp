#include "gui/pages/list_view_msg_list.h"

#include "document/settings_catalogue.h"

CListViewMsgList::CListViewMsgList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    TableLayout table;
    table.titleId = 8800;
    table.sectionId = 8801;
    table.members = kMessages;
    // A text the radio cannot display is refused with the name check's message.
    table.columns = {{8802, 350, TextRow(0, u"msg", "msg.htm", 430)}};
    DeclareTable(std::move(table));
}

TALVERO_REGISTER_PAGE(1023, CListViewMsgList);
