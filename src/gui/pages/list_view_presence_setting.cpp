#include "gui/pages/list_view_presence_setting.h"

#include "pages/page_declaration.h"

CListViewPresenceSetting::CListViewPresenceSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1024));
}

TALVERO_REGISTER_PAGE(1024, CListViewPresenceSetting);
