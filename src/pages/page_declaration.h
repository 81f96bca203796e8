#pragma once
// Every settings page as data, in the core: its tree node, title and rows (or table layout). The
// program's pages are views over these declarations (CListViewBase::DeclarePage); the command line, the
// fleet, the load report and the comparisons read the same declarations, so a setting has one set of rules
// and one way to read.
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

struct PageDeclaration {
    uint32_t nodeId = 0;  // the tree node that shows the page
    // A settings page: its title and one row per declaration.
    uint32_t titleId = 0;
    std::vector<PageRow> rows;
    // A table page instead: one row per member of an indexed family.
    std::optional<TableLayout> table;
    int labelWidth = 0;  // the least width of the label column; 0: the framework's
};

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
