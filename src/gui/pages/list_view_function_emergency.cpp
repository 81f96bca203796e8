#include "gui/pages/list_view_function_emergency.h"

#include "pages/page_declaration.h"

CListViewFunctionEmergency::CListViewFunctionEmergency(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1016));
}

TALVERO_REGISTER_PAGE(1016, CListViewFunctionEmergency);
