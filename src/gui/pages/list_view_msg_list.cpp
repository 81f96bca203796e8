#include "gui/pages/list_view_msg_list.h"

#include "pages/page_declaration.h"

CListViewMsgList::CListViewMsgList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1023));
}

TALVERO_REGISTER_PAGE(1023, CListViewMsgList);
