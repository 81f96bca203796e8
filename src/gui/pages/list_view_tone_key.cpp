#include "gui/pages/list_view_tone_key.h"

#include "pages/page_declaration.h"

CListViewToneKey::CListViewToneKey(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1030));
}

TALVERO_REGISTER_PAGE(1030, CListViewToneKey);
