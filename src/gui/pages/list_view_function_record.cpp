#include "gui/pages/list_view_function_record.h"

#include "pages/page_declaration.h"

CListViewFunctionRecord::CListViewFunctionRecord(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1019));
}

TALVERO_REGISTER_PAGE(1019, CListViewFunctionRecord);
