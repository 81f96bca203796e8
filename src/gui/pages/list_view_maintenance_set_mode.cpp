#include "gui/pages/list_view_maintenance_set_mode.h"

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/pages/page_text.h"
#include "pages/page_declaration.h"
#include "pages/set_mode_page.h"

using namespace page_style;

namespace {

// The grid: the section, the heading row, then the declaration's permission rows.
constexpr int kFirstRow = 2;
constexpr int kLowColumn = 1;
constexpr int kHighColumn = 2;
const QString kTable = QStringLiteral("set_mode_flag");

const std::vector<PageRow>& Declared() {
    return FindPageDeclaration(set_mode_page::kNodeId)->rows;
}

// The last grid row: every declared row after the section is a permission.
int LastRow() {
    return kFirstRow + static_cast<int>(Declared().size()) - 2;
}

bool IsFlagCell(int row, int column) {
    return row >= kFirstRow && row <= LastRow() && (column == kLowColumn || column == kHighColumn);
}

}  // namespace

CListViewMaintenanceSetMode::CListViewMaintenanceSetMode(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    const PageDeclaration& page = *FindPageDeclaration(set_mode_page::kNodeId);
    InsertPageColumns(PageText(page.titleId),
                      {page.labelWidth, set_mode_page::kFlagWidth, set_mode_page::kFlagWidth});
    for (int row = 0; row <= LastRow(); ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, 3, PageText(page.rows.front().labelId));
    AddLabelCell(1, 0, PageText(set_mode_page::kItemHeading));
    AddLabelCell(1, kLowColumn, PageText(set_mode_page::kLowHeading));
    AddLabelCell(1, kHighColumn, PageText(set_mode_page::kHighHeading));
    for (int row = kFirstRow; row <= LastRow(); ++row) {
        const PageRow& permission = page.rows[row - kFirstRow + 1];
        AddLabelCell(row, 0, PageText(permission.labelId));
        for (int column : {kLowColumn, kHighColumn}) {
            // Opening the reset item to the radio's user is not offered.
            const int editable = permission.key == set_mode_page::kResetKey && column == kLowColumn ? 0 : 1;
            SetInputCell(row, column, editable, kValueText, kValueBack, kValueBorder, kDisabledText,
                         kDisabledBack, kDisabledBorder);
        }
        SetHelpPage(row, QString::fromStdString(permission.helpPage));
    }
    for (const PageChoice& flag : set_mode_page::FlagChoices()) {
        AddValueText(QString::fromStdU16String(flag.value), PageText(flag.textId), kTable);
    }
}

std::u16string_view CListViewMaintenanceSetMode::RowKey(int row) {
    if (row < kFirstRow || row > LastRow()) {
        return {};
    }
    return Declared()[row - kFirstRow + 1].key;
}

bool CListViewMaintenanceSetMode::SelectSetting(std::u16string_view name, unsigned index) {
    for (int row = kFirstRow; index == 0 && row <= LastRow(); ++row) {
        if (RowKey(row) == name) {
            SetSelectedRow(row);
            SetCurrentColumn(kLowColumn);
            EnsureVisible(row);
            return true;
        }
    }
    return false;
}

void CListViewMaintenanceSetMode::ShowPermission(const QString& value, int row) {
    // The cells show the flags exactly as the document reads them when one of them is changed,
    // so a value outside 0–3 never shows a flag that the next edit would drop.
    const std::u16string stored = value.toStdU16String();
    const QString low = QString::fromStdU16String(CTalveroDoc::GetModeFlagLow(stored));
    const QString high = QString::fromStdU16String(CTalveroDoc::GetModeFlagHigh(stored));
    SetItemText(row, kLowColumn, ValueToText(low, kTable));
    SetItemText(row, kHighColumn, ValueToText(high, kTable));
    RedrawItems(row, row);
}

void CListViewMaintenanceSetMode::RefreshFromDocument() {
    auto show = [this](int row) { ShowPermission(QString::fromStdU16String(Doc().Get(RowKey(row))), row); };
    show(LastRow());
    for (int row = kFirstRow; row < LastRow(); ++row) {
        show(row);
    }
}

QWidget* CListViewMaintenanceSetMode::CreateCellEditor(int row, int column, int left, int top, int right,
                                                       int bottom, const QString& text) {
    if (!IsFlagCell(row, column) || !IsCellEditable(row, column)) {
        return nullptr;
    }
    return new KGridListCtrlCombo(this, row, column, left, top, right, bottom,
                                  {PageText(set_mode_page::kFlagOff), PageText(set_mode_page::kFlagOn)},
                                  text);
}

void CListViewMaintenanceSetMode::OnEndCellEdit(KEndEditRecord& record) {
    if (!IsFlagCell(record.row, record.column) || !IsCellEditable(record.row, record.column)) {
        return;
    }
    const QString flag = TextToValue(record.text, kTable);
    if (flag.isEmpty()) {
        return;
    }
    const std::u16string_view key = RowKey(record.row);
    if (record.column == kLowColumn) {
        Doc().SetModeFlagLow(key, flag.toStdU16String());
    } else {
        Doc().SetModeFlagHigh(key, flag.toStdU16String());
    }
    ShowPermission(QString::fromStdU16String(Doc().Get(key)), record.row);
}

int CListViewMaintenanceSetMode::GetCellFontIndex(int row, int column) {
    // Font 0 is the bold one; the column headings use it.
    return row == 1 ? 0 : KGridListView::GetCellFontIndex(row, column);
}

TALVERO_REGISTER_PAGE(1036, CListViewMaintenanceSetMode);
