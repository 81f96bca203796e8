#include "gui/pages/list_view_no_service.h"

#include "pages/page_declaration.h"

CListViewNoService::CListViewNoService(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1032));
}

TALVERO_REGISTER_PAGE(1032, CListViewNoService);
