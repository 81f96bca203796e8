#include "gui/pages/list_view_rx_talk_back.h"

#include "pages/page_declaration.h"

CListViewRxTalkBack::CListViewRxTalkBack(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1013));
}

TALVERO_REGISTER_PAGE(1013, CListViewRxTalkBack);
