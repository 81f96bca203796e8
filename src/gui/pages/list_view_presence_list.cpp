#include "gui/pages/list_view_presence_list.h"

#include "pages/page_declaration.h"

CListViewPresenceList::CListViewPresenceList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1025));
}

TALVERO_REGISTER_PAGE(1025, CListViewPresenceList);
