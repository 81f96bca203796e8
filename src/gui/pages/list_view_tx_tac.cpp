#include "gui/pages/list_view_tx_tac.h"

#include "pages/page_declaration.h"

CListViewTxTac::CListViewTxTac(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1005));
}

TALVERO_REGISTER_PAGE(1005, CListViewTxTac);
