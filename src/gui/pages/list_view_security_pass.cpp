#include "gui/pages/list_view_security_pass.h"

#include "pages/page_declaration.h"

CListViewSecurityPass::CListViewSecurityPass(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1035));
}

TALVERO_REGISTER_PAGE(1035, CListViewSecurityPass);
