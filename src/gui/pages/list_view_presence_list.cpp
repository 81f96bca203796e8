#include "gui/pages/list_view_presence_list.h"

#include "document/jis_text.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"

using namespace page_style;

namespace {
constexpr int kFirstRow = 2;
constexpr int kStatusCount = 10;
constexpr int kTextWidth = 32;
enum { kSwitchColumn = 1, kTextColumn = 2 };
const QString kDefault = QStringLiteral("default");

bool IsStatusRow(int row) {
    return row >= kFirstRow && row < kFirstRow + kStatusCount;
}
}  // namespace

CListViewPresenceList::CListViewPresenceList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    m_helpMode = 2;
    AddValueText(QStringLiteral("off"), PageText(2500), kDefault);
    AddValueText(QStringLiteral("on"), PageText(2501), kDefault);
    InsertPageColumns(PageText(8900), {40, 70, 350});
    for (int row = 0; row < kFirstRow + kStatusCount; ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, 3, PageText(8901));
    AddLabelCell(1, 0, QString());
    AddLabelCell(1, kSwitchColumn, PageText(8903));
    AddLabelCell(1, kTextColumn, PageText(8902));
    for (int n = 1; n <= kStatusCount; ++n) {
        const int row = kFirstRow + n - 1;
        AddLabelCell(row, 0, QString::number(n));
        for (int column : {kSwitchColumn, kTextColumn}) {
            SetInputCell(row, column, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                         kDisabledBorder);
        }
    }
    SetHelpPage(ColumnHelpKey(kSwitchColumn), QStringLiteral("sw_presence.htm"));
    SetHelpPage(ColumnHelpKey(kTextColumn), QStringLiteral("stat.htm"));
}

int CListViewPresenceList::GetCellFontIndex(int row, int column) {
    // Font 0 is the bold one; the heading row uses it in every column.
    return row == 1 ? 0 : CListViewBase::GetCellFontIndex(row, column);
}

void CListViewPresenceList::RefreshFromDocument() {
    for (int n = 0; n < kStatusCount; ++n) {
        SetItemText(kFirstRow + n, kSwitchColumn,
                    ValueToText(QString::fromStdU16String(Doc().Get(u"sw_presence", n)), kDefault));
        SetItemText(kFirstRow + n, kTextColumn, QString::fromStdU16String(Doc().Get(u"stat", n)));
    }
    RedrawItems(0, GetItemCount() - 1);
}

QWidget* CListViewPresenceList::CreateCellEditor(int row, int column, int left, int top, int right,
                                                 int bottom, const QString& text) {
    if (!IsStatusRow(row)) {
        return nullptr;
    }
    if (column == kSwitchColumn) {
        return new KGridListCtrlCombo(this, row, column, left, top, right, bottom,
                                      {PageText(2500), PageText(2501)}, text);
    }
    if (column == kTextColumn) {
        auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
        edit->LiftLengthLimit();
        edit->m_maxWidth = kTextWidth;
        return edit;
    }
    return nullptr;
}

void CListViewPresenceList::OnEndCellEdit(KEndEditRecord& record) {
    if (!IsStatusRow(record.row)) {
        return;
    }
    const unsigned index = static_cast<unsigned>(record.row - kFirstRow);
    if (record.column == kSwitchColumn) {
        const QString value = TextToValue(record.text, kDefault);
        if (Doc().Set(u"sw_presence", index, value.toStdU16String())) {
            SetItemText(record.row, record.column, record.text);
        }
        return;
    }
    if (record.column != kTextColumn) {
        return;
    }
    const std::u16string typed = record.text.toStdU16String();
    if (!IsJisText(typed) || !Doc().Set(u"stat", index, typed)) {
        ShowError(PageText(430));
        return;
    }
    SetItemText(record.row, record.column, record.text);
}

TALVERO_REGISTER_PAGE(1025, CListViewPresenceList);
