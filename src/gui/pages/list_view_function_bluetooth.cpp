#include "gui/pages/list_view_function_bluetooth.h"

#include "pages/page_declaration.h"

CListViewFunctionBluetooth::CListViewFunctionBluetooth(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1018));
}

TALVERO_REGISTER_PAGE(1018, CListViewFunctionBluetooth);
