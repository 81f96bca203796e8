#include "gui/pages/list_view_rx_setting.h"

#include "pages/page_declaration.h"

CListViewRxSetting::CListViewRxSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1015));
}

TALVERO_REGISTER_PAGE(1015, CListViewRxSetting);
