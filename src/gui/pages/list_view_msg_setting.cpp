#include "gui/pages/list_view_msg_setting.h"

#include "pages/page_declaration.h"

CListViewMsgSetting::CListViewMsgSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1022));
}

TALVERO_REGISTER_PAGE(1022, CListViewMsgSetting);
