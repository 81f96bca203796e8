#include "demo_grid.h"

#include "gui/editor/k_grid_list_ctrl_combo.h"

DemoGrid::DemoGrid(QWidget* parent) : KGridListView(parent) {}

void DemoGrid::Build(int rows, int columns, int width) {
    for (int column = 0; column < columns; ++column) {
        InsertColumn(column, column == 0 ? QStringLiteral("Demo page") : QString(), Qt::AlignLeft, width);
    }
    SetCellSpan(-1, 0, -1);
    SetCellColors(-1, 0, kTitleText, kTitleBack, kTitleBorder);
    for (int row = 0; row < rows; ++row) {
        InsertItem(row, QString());
    }
}

void DemoGrid::MakeEditable(int row, int column, const QString& text) {
    MakeEditable(row, column, text, CellEditor{});
}

void DemoGrid::MakeEditable(int row, int column, const QString& text, CellEditor editor) {
    SetItemText(row, column, text);
    SetCellColors(row, column, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                  kValueBorder);
    SetCellEditable(row, column, 1);
    m_editors[{row, column}] = std::move(editor);
}

void DemoGrid::MakeLabel(int row, int column, const QString& text) {
    SetItemText(row, column, text);
    SetCellColors(row, column, kLabelText, kLabelBack, 0xFFFFFF);
    SetCellEditable(row, column, 0);
}

void DemoGrid::MakeSection(int row, const QString& text, int span) {
    SetItemText(row, 0, text);
    SetCellSpan(row, 0, span);
    SetCellColors(row, 0, kSectionText, kSectionBack, 0xFFFFFF);
}

QWidget* DemoGrid::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                    const QString& text) {
    auto it = m_editors.find({row, column});
    if (it == m_editors.end()) {
        return nullptr;
    }
    if (!it->second.items.isEmpty()) {
        return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, it->second.items, text);
    }
    auto* edit =
        new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text, it->second.passwordChar);
    edit->LiftLengthLimit();
    if (it->second.configure) {
        it->second.configure(*edit);
    }
    // As the pages do: the cell's text is shown as it is; the limits hold for what is typed.
    return edit;
}

void DemoGrid::OnEndCellEdit(KEndEditRecord& record) {
    m_records.push_back(record);
    KGridListView::OnEndCellEdit(record);
}

bool DemoGrid::SelectFirstEditableCell() {
    if (!m_selectFirst) {
        return false;
    }
    for (int row = 0; row < GetItemCount(); ++row) {
        for (int column = 0; column < GetColumnCount(); ++column) {
            if (IsCellEditable(row, column)) {
                SetCurrentColumn(column);
                SetSelectedRow(row);
                return true;
            }
        }
    }
    return false;
}

int DemoGrid::GetCellFontIndex(int row, int column) {
    return row == m_boldRow ? 0 : KGridListView::GetCellFontIndex(row, column);
}
