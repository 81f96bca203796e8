#include "gui/pages/list_view_sub_function.h"

#include "pages/page_declaration.h"

CListViewSubFunction::CListViewSubFunction(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1028));
}

TALVERO_REGISTER_PAGE(1028, CListViewSubFunction);
