#include "gui/pages/list_view_tx_priority.h"

#include "pages/page_declaration.h"

CListViewTxPriority::CListViewTxPriority(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1008));
}

TALVERO_REGISTER_PAGE(1008, CListViewTxPriority);
