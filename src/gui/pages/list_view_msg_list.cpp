#include "gui/pages/list_view_msg_list.h"

#include "document/jis_text.h"
#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"

using namespace page_style;

namespace {
constexpr int kFirstRow = 2;
constexpr int kMessageCount = 10;
constexpr int kTextWidth = 32;

bool IsMessageCell(int row, int column) {
    return column == 1 && row >= kFirstRow && row < kFirstRow + kMessageCount;
}
}  // namespace

CListViewMsgList::CListViewMsgList(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    InsertPageColumns(PageText(8800), {40, 350});
    for (int row = 0; row < kFirstRow + kMessageCount; ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, 2, PageText(8801));
    AddLabelCell(1, 0, QString());
    AddLabelCell(1, 1, PageText(8802));
    for (int n = 1; n <= kMessageCount; ++n) {
        const int row = kFirstRow + n - 1;
        AddLabelCell(row, 0, QString::number(n));
        SetInputCell(row, 1, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                     kDisabledBorder);
        SetHelpPage(row, QStringLiteral("msg.htm"));
    }
}

int CListViewMsgList::GetCellFontIndex(int row, int column) {
    // Font 0 is the bold one; the heading row uses it in every column.
    return row == 1 ? 0 : CListViewBase::GetCellFontIndex(row, column);
}

void CListViewMsgList::RefreshFromDocument() {
    for (int n = 0; n < kMessageCount; ++n) {
        SetItemText(kFirstRow + n, 1, QString::fromStdU16String(Doc().Get(u"msg", n)));
    }
    RedrawItems(0, GetItemCount() - 1);
}

QWidget* CListViewMsgList::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                            const QString& text) {
    if (!IsMessageCell(row, column)) {
        return nullptr;
    }
    auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
    edit->LiftLengthLimit();
    edit->m_maxWidth = kTextWidth;
    return edit;
}

void CListViewMsgList::OnEndCellEdit(KEndEditRecord& record) {
    if (!IsMessageCell(record.row, record.column)) {
        return;
    }
    const std::u16string typed = record.text.toStdU16String();
    if (!IsJisText(typed)) {
        ShowError(PageText(430));
        return;
    }
    if (!Doc().Set(u"msg", record.row - kFirstRow, typed)) {
        ShowError(PageText(430));
        return;
    }
    SetItemText(record.row, record.column, record.text);
}

TALVERO_REGISTER_PAGE(1023, CListViewMsgList);
