#pragma once
// Every settings page as data, in the core: its tree node, title, rows (or table layout) and the
// value texts it shows beyond its rows' choices. The program's pages are views over these
// declarations (CListViewBase::DeclarePage); the command line, the fleet, the load report and the
// comparisons read the same declarations, so a setting has one set of rules and one way to read.
//
// A page adds itself by a function in page_list.h, listed once in page_declarations.cpp:
//
//     PageDeclaration VolumePage() {
//         PageDeclaration page = RowsPage(1034, 10500, {SectionRow(10500), OffOnRow(10506, u"ext_afout")});
//         return page;
//     }
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pages/page_row.h"

// A value the page shows with a text of its own although no row lists it (a value the radio
// knows but the combo does not offer).
struct PageValueText {
    std::u16string value;
    uint32_t textId = 0;  // 0: the value shows as `literal`
    std::u16string table;
    std::u16string literal;
};

struct PageDeclaration {
    uint32_t nodeId = 0;  // the tree node that shows the page
    // A settings page: its title and one row per declaration.
    uint32_t titleId = 0;
    std::vector<PageRow> rows;
    // A table page instead: one row per member of an indexed family.
    std::optional<TableLayout> table;
    std::vector<PageValueText> valueTexts;
    int labelWidth = 0;  // the least width of the label column; 0: the framework's
};

// Each number from `first` to `last` in steps of `step`, shown as itself in `table`.
void AddNumberTexts(PageDeclaration& page, int first, int last, int step, const std::u16string& table);

// A settings page of rows.
PageDeclaration RowsPage(uint32_t nodeId, uint32_t titleId, std::vector<PageRow> rows);
// A table page.
PageDeclaration TablePage(uint32_t nodeId, TableLayout layout);

// Every declared page, its text rules filled in from the catalogue (PrepareRow), in tree order.
const std::vector<PageDeclaration>& PageDeclarations();
// Null for a node without a declared page.
const PageDeclaration* FindPageDeclaration(uint32_t nodeId);
// Fills in a row's text rule from the catalogue and its `adjust`.
void PrepareRow(PageRow& row);
