#include "gui/pages/list_view_rx_notify.h"

#include "pages/page_declaration.h"

CListViewRxNotify::CListViewRxNotify(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1010));
}

TALVERO_REGISTER_PAGE(1010, CListViewRxNotify);
