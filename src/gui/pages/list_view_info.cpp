#include "gui/pages/list_view_info.h"

#include "pages/page_declaration.h"

CListViewInfo::CListViewInfo(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1003));
}

TALVERO_REGISTER_PAGE(1003, CListViewInfo);
