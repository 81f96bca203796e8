#include "gui/pages/list_view_tx_callee.h"

#include "pages/page_declaration.h"

CListViewTxCallee::CListViewTxCallee(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1004));
}

TALVERO_REGISTER_PAGE(1004, CListViewTxCallee);
