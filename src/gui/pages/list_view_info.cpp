#include "gui/pages/list_view_info.h"

#include <QKeyEvent>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"

using namespace page_style;

namespace {

constexpr int kIccidRow = 1;
constexpr int kCallIdRow = 3;

// The cell editor with its text fixed: the cell editor types and pastes through its own limits,
// past QLineEdit's read-only flag, so keys that would change the text stop here. Selection,
// cursor movement and copying keep working.
class ReadOnlyCellEdit : public KGridListCtrlEdit {
  public:
    using KGridListCtrlEdit::KGridListCtrlEdit;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool ends =
            event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape;
        const bool changes = event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
                             (!event->text().isEmpty() && !(event->modifiers() & Qt::ControlModifier) &&
                              event->text().at(0).unicode() > 30);
        if (!ends && changes) {
            event->accept();
            return;
        }
        KGridListCtrlEdit::keyPressEvent(event);
    }
    void inputMethodEvent(QInputMethodEvent* event) override { event->ignore(); }
};

}  // namespace

CListViewInfo::CListViewInfo(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    InsertPageColumns(PageText(3000));
    for (int row = 0; row <= kCallIdRow; ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, 2, PageText(3001));
    AddLabelCell(kIccidRow, 0, PageText(3002));
    SetInputCell(kIccidRow, 1, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                 kDisabledBorder);
    SetHelpPage(kIccidRow, QStringLiteral("iccid.htm"));
    AddSectionRow(2, 2, PageText(3010));
    AddLabelCell(kCallIdRow, 0, PageText(3015));
    SetInputCell(kCallIdRow, 1, 0, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                 kDisabledBorder);
    SetHelpPage(kCallIdRow, QStringLiteral("call_id.htm"));
}

void CListViewInfo::RefreshFromDocument() {
    // Radio-wide values: they belong to no settings group, whatever the page's set index.
    SetItemText(kIccidRow, 1, QString::fromStdU16String(Doc().Get(u"iccid")));
    SetItemText(kCallIdRow, 1, QString::fromStdU16String(Doc().Get(u"call_id")));
    RedrawItems(0, GetItemCount() - 1);
}

QWidget* CListViewInfo::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                         const QString& text) {
    if (row != kIccidRow || column != 1) {
        return nullptr;
    }
    auto* edit = new ReadOnlyCellEdit(this, row, column, left, top, right, bottom, text);
    edit->setReadOnly(true);
    edit->DetachInputMethod();
    return edit;
}

void CListViewInfo::OnEndCellEdit(KEndEditRecord&) {}

TALVERO_REGISTER_PAGE(1003, CListViewInfo);
