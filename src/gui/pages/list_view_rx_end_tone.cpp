#include "gui/pages/list_view_rx_end_tone.h"

#include "pages/page_declaration.h"

CListViewRxEndTone::CListViewRxEndTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1012));
}

TALVERO_REGISTER_PAGE(1012, CListViewRxEndTone);
