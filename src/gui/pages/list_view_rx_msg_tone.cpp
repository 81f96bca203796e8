#include "gui/pages/list_view_rx_msg_tone.h"

#include "pages/page_declaration.h"

CListViewRxMsgTone::CListViewRxMsgTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1014));
}

TALVERO_REGISTER_PAGE(1014, CListViewRxMsgTone);
