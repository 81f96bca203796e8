#include "gui/pages/list_view_disp_view.h"

#include "pages/page_declaration.h"

CListViewDispView::CListViewDispView(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1033));
}

TALVERO_REGISTER_PAGE(1033, CListViewDispView);
