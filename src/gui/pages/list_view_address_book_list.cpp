#include "gui/pages/list_view_address_book_list.h"

#include <QFontMetrics>
#include <algorithm>

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_declaration.h"

namespace {
constexpr int kEntries = static_cast<int>(kIdEntries);
enum { kTypeColumn = 1, kNumberColumn, kNameColumn, kReadingColumn, kSelectColumn, kColumns };

bool IsEntryRow(int row) {
    return row >= kTableFirstRow && row < kTableFirstRow + kEntries;
}

unsigned EntryIndex(int row) {
    return static_cast<unsigned>(row - kTableFirstRow);
}

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}
}  // namespace

CListViewAddressBookList::CListViewAddressBookList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1021));
}

void CListViewAddressBookList::SetupHeader() {
    CListViewBase::SetupHeader();
    // The 40-pixel number column is too narrow for "500" in the bold font of some desktops; it
    // grows to fit rather than cut the entry numbers short.
    const int needed = QFontMetrics(GetCellFont(0)).horizontalAdvance(QStringLiteral("000")) + 8;
    SetColumnWidth(0, std::max(GetColumnWidth(0), needed));
}

void CListViewAddressBookList::ReloadRow(int row) {
    const unsigned index = EntryIndex(row);
    const std::u16string& type = Doc().Get(u"id_type", index);
    SetItemText(row, kTypeColumn, ValueToText(Q(type), QStringLiteral("id_type")));
    const bool used = !type.empty();
    if (used) {
        SetItemText(row, kNumberColumn, Q(Doc().Get(type == u"tel" ? u"number" : u"id", index)));
        SetItemText(row, kNameColumn, Q(Doc().Get(u"name", index)));
        SetItemText(row, kReadingColumn, Q(Doc().Get(u"yomi", index)));
        SetItemText(row, kSelectColumn,
                    ValueToText(Q(Doc().Get(u"id_select", index)), QStringLiteral("id_select")));
    } else {
        for (int column = kNumberColumn; column < kColumns; ++column) {
            SetItemText(row, column, QString());
        }
    }
    for (int column = kNumberColumn; column < kColumns; ++column) {
        SetCellEditable(row, column, used ? 1 : 0);
    }
}

void CListViewAddressBookList::RefreshFromDocument() {
    for (int row = kTableFirstRow; row < kTableFirstRow + kEntries; ++row) {
        ReloadRow(row);
    }
    viewport()->update();
}

void CListViewAddressBookList::OnEndCellEdit(KEndEditRecord& record) {
    if (!IsEntryRow(record.row)) {
        return;
    }
    switch (record.column) {
        case kTypeColumn:
            CListViewBase::OnEndCellEdit(record);
            ReloadRow(record.row);
            break;
        case kNameColumn:
        case kReadingColumn:
        case kNumberColumn:
        case kSelectColumn:
            CListViewBase::OnEndCellEdit(record);
            break;
        default:
            break;
    }
    RedrawItems(record.row, record.row);
}

TALVERO_REGISTER_PAGE(1021, CListViewAddressBookList);
