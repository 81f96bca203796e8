#include "gui/pages/list_view_option_key.h"

#include "pages/page_declaration.h"

CListViewOptionKey::CListViewOptionKey(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1027));
}

TALVERO_REGISTER_PAGE(1027, CListViewOptionKey);
