#include "gui/pages/list_view_tx_mic.h"

#include "pages/page_declaration.h"

CListViewTxMic::CListViewTxMic(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1009));
}

TALVERO_REGISTER_PAGE(1009, CListViewTxMic);
