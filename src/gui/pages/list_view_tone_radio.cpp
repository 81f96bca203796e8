#include "gui/pages/list_view_tone_radio.h"

#include "pages/page_declaration.h"

CListViewToneRadio::CListViewToneRadio(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1029));
}

TALVERO_REGISTER_PAGE(1029, CListViewToneRadio);
