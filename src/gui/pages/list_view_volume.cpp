#include "gui/pages/list_view_volume.h"

#include "pages/page_declaration.h"

CListViewVolume::CListViewVolume(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1034));
}

TALVERO_REGISTER_PAGE(1034, CListViewVolume);
