#include "gui/pages/list_view_function_gps.h"

#include "pages/page_declaration.h"

namespace {
// The page keeps room for further GPS settings: rows after the switch stay blank and read-only.
constexpr int kRows = 9;
}  // namespace

CListViewFunctionGps::CListViewFunctionGps(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1017));
    for (int row = GetItemCount(); row < kRows; ++row) {
        InsertItem(row, QString());
    }
}

TALVERO_REGISTER_PAGE(1017, CListViewFunctionGps);
