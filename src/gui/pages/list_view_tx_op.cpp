#include "gui/pages/list_view_tx_op.h"

#include "pages/page_declaration.h"

CListViewTxOp::CListViewTxOp(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1006));
}

TALVERO_REGISTER_PAGE(1006, CListViewTxOp);
