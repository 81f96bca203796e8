#include "gui/pages/list_view_communication_setting.h"

#include "pages/page_declaration.h"

CListViewCommunicationSetting::CListViewCommunicationSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1031));
}

TALVERO_REGISTER_PAGE(1031, CListViewCommunicationSetting);
