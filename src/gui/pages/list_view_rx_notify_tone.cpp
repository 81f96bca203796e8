#include "gui/pages/list_view_rx_notify_tone.h"

#include "pages/page_declaration.h"

CListViewRxNotifyTone::CListViewRxNotifyTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1011));
}

TALVERO_REGISTER_PAGE(1011, CListViewRxNotifyTone);
