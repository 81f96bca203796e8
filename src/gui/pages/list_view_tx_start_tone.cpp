#include "gui/pages/list_view_tx_start_tone.h"

#include "pages/page_declaration.h"

CListViewTxStartTone::CListViewTxStartTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1007));
}

TALVERO_REGISTER_PAGE(1007, CListViewTxStartTone);
