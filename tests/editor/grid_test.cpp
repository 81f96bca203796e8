// The grid: keyboard moves over editable and read-only cells, mouse rules, edits started by
// typing and double clicks, drawing of spans and the current cell, column resizing, the wheel.
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "demo_grid.h"
#include "editor_tests.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "test_events.h"

namespace {

// Rows: 0 section; 1 label + (1,1); 2 label + (2,1) + (2,2); 3 label only; 4 label + (4,2);
// 5 label + (5,1).
void FillNavigationGrid(DemoGrid& grid) {
    grid.Build(6, 3, 100);
    grid.SetupHeader();
    grid.MakeSection(0, "Section", 3);
    for (int row = 1; row < 6; ++row) {
        grid.MakeLabel(row, 0, QString("Label %1").arg(row));
    }
    grid.MakeEditable(1, 1, "a");
    grid.MakeEditable(2, 1, "b");
    grid.MakeEditable(2, 2, "c");
    grid.MakeEditable(4, 2, "d");
    grid.MakeEditable(5, 1, "e");
}

// `filledUnderFocus`: the rows arrive while the grid has the focus, as when a page is laid out
// anew, so that no cell is current yet.
std::unique_ptr<DemoGrid> MakeNavigationGrid(bool filledUnderFocus = false) {
    auto grid = std::make_unique<DemoGrid>();
    grid->resize(420, 300);
    if (!filledUnderFocus) {
        FillNavigationGrid(*grid);
    }
    grid->show();
    grid->activateWindow();
    grid->setFocus();
    if (!QTest::qWaitForWindowActive(grid.get())) {
        qWarning("grid window not active");
    }
    if (filledUnderFocus) {
        FillNavigationGrid(*grid);
    }
    return grid;
}

QPoint CellCenter(const KGridListView& grid, int row, int column) {
    std::vector<QRect> rects;
    const_cast<KGridListView&>(grid).GetColumnRects(row, &rects);
    return rects.at(column).center();
}

QColor ColorAt(KGridListView& grid, const QPoint& point) {
    return grid.viewport()->grab().toImage().pixelColor(point);
}

}  // namespace

class GridTest : public QObject {
    Q_OBJECT
  private slots:
    void keyboardMoves_data();
    void keyboardMoves();
    void gridWithoutEditableCells();
    void tabLeavesPastTheEnds();
    void focusBringsEditableCell_data();
    void focusBringsEditableCell();
    void clickSetsCurrentColumn();
    void doubleClickEditsOnlyEditableCells();
    void typingStartsEdit();
    void clickOutsideEndsEditAndIsConsumed();
    void endOfEditDropsLineBreaksAndTabs();
    void focusReturnsToGridAfterEdit();
    void wheelIsSwallowedWhileEditing();
    void drawsSpansAndCurrentCell();
    void columnResizeByDraggingBorder();
    void rowHeightFollowsHeader();
    void frozenFirstColumnStaysInView();
    void clicksAndPagesInALongList();
};

void GridTest::keyboardMoves_data() {
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("startColumn");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("selectFirst");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    const int none = Qt::NoModifier;
    // clang-format off
    QTest::newRow("tab right")            << 1 << 1 << int(Qt::Key_Tab) << none << false << 2 << 1;
    QTest::newRow("tab same row")         << 2 << 1 << int(Qt::Key_Tab) << none << false << 2 << 2;
    QTest::newRow("tab skips rows")       << 2 << 2 << int(Qt::Key_Tab) << none << false << 4 << 2;
    QTest::newRow("tab at end, no pane")  << 5 << 1 << int(Qt::Key_Tab) << none << false << 5 << 1;
    QTest::newRow("ctrl+tab moves none")  << 1 << 1 << int(Qt::Key_Tab) << int(Qt::ControlModifier) << false << 1 << 1;
    QTest::newRow("backtab same row")     << 2 << 2 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false << 2 << 1;
    QTest::newRow("backtab up a row")     << 4 << 2 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false << 2 << 2;
    QTest::newRow("backtab at start")     << 1 << 1 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false << 1 << 1;
    QTest::newRow("down same column")     << 1 << 1 << int(Qt::Key_Down) << none << false << 2 << 1;
    QTest::newRow("down skips read-only") << 2 << 1 << int(Qt::Key_Down) << none << false << 5 << 1;
    QTest::newRow("down in column 2")     << 2 << 2 << int(Qt::Key_Down) << none << false << 4 << 2;
    QTest::newRow("down at end stays")    << 5 << 1 << int(Qt::Key_Down) << none << false << 5 << 1;
    QTest::newRow("up skips read-only")   << 4 << 2 << int(Qt::Key_Up) << none << false << 2 << 2;
    QTest::newRow("up at top stays")      << 1 << 1 << int(Qt::Key_Up) << none << false << 1 << 1;
    QTest::newRow("right")                << 2 << 1 << int(Qt::Key_Right) << none << false << 2 << 2;
    QTest::newRow("right at last")        << 2 << 2 << int(Qt::Key_Right) << none << false << 2 << 2;
    QTest::newRow("left")                 << 2 << 2 << int(Qt::Key_Left) << none << false << 2 << 1;
    QTest::newRow("left onto label no")   << 1 << 1 << int(Qt::Key_Left) << none << false << 1 << 1;
    QTest::newRow("nowhere tab")          << -1 << -1 << int(Qt::Key_Tab) << none << false << 1 << 1;
    QTest::newRow("nowhere up")           << -1 << -1 << int(Qt::Key_Up) << none << false << 1 << 1;
    QTest::newRow("nowhere left")         << -1 << -1 << int(Qt::Key_Left) << none << false << 1 << 1;
    QTest::newRow("nowhere down")         << -1 << -1 << int(Qt::Key_Down) << none << false << 1 << 1;
    QTest::newRow("nowhere backtab")      << -1 << -1 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << false << 5 << 1;
    QTest::newRow("nowhere first cell")   << -1 << -1 << int(Qt::Key_Down) << none << true << 1 << 1;
    QTest::newRow("nowhere right first")  << -1 << -1 << int(Qt::Key_Right) << none << true << 1 << 1;
    // clang-format on
}

void GridTest::keyboardMoves() {
    QFETCH(int, startRow);
    QFETCH(int, startColumn);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, selectFirst);
    QFETCH(int, row);
    QFETCH(int, column);
    auto grid = MakeNavigationGrid(startRow < 0);
    grid->m_selectFirst = selectFirst;
    if (startRow >= 0) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, startRow, startColumn));
    }
    QCOMPARE(grid->GetFocusedRow(), startRow);
    QCOMPARE(grid->GetCurrentColumn(), startColumn);
    QTest::keyClick(grid.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(grid->GetFocusedRow(), row);
    QCOMPARE(grid->GetCurrentColumn(), column);
    QVERIFY(grid->GetEditor() == nullptr);
}

void GridTest::gridWithoutEditableCells() {
    QWidget window;
    auto* grid = new DemoGrid(&window);
    auto* other = new QLineEdit(&window);
    grid->setGeometry(0, 0, 300, 200);
    other->setGeometry(0, 210, 100, 20);
    grid->Build(3, 3, 250);
    grid->SetupHeader();
    grid->MakeLabel(1, 0, "Label");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    grid->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 0));
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Home, Qt::Key_End, Qt::Key_Tab, Qt::Key_Backtab}) {
        grid->setFocus();
        QTest::keyClick(grid, key);
        QCOMPARE(grid->GetFocusedRow(), key == Qt::Key_End ? 2 : key == Qt::Key_Home ? 0 : 1);
        QCOMPARE(grid->GetCurrentColumn(), 0);
        // With nothing to edit, Tab and Shift+Tab go on to the next pane at once.
        const bool leaves = key == Qt::Key_Tab || key == Qt::Key_Backtab;
        QCOMPARE(other->hasFocus(), leaves);
        if (key == Qt::Key_End) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 0));
        }
    }
    // Left and Right go to the list, which scrolls sideways.
    QCOMPARE(grid->GetScrollX(), 0);
    QTest::keyClick(grid, Qt::Key_Right);
    QVERIFY(grid->GetScrollX() > 0);
    QTest::keyClick(grid, Qt::Key_Left);
    QCOMPARE(grid->GetScrollX(), 0);
    QCOMPARE(grid->GetCurrentColumn(), 0);
}

void GridTest::tabLeavesPastTheEnds() {
    // A pane before the grid and one after it.
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* grid = new DemoGrid(&window);
    auto* after = new QLineEdit(&window);
    before->setGeometry(0, 0, 100, 20);
    grid->setGeometry(0, 30, 420, 300);
    after->setGeometry(0, 340, 100, 20);
    FillNavigationGrid(*grid);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QPoint current = CellCenter(*grid, 2, 2);
    const auto currentColor = [&] { return ColorAt(*grid, current); };

    // Tab from the pane before: the first editable cell, shown in the focus colour.
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(grid->hasFocus());
    QCOMPARE(grid->GetFocusedRow(), 1);
    QCOMPARE(grid->GetCurrentColumn(), 1);
    // Across the cells, then past the last one to the pane after; the current cell turns grey.
    for (const auto& [row, column] : {std::pair{2, 1}, {2, 2}, {4, 2}, {5, 1}}) {
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(grid->GetFocusedRow(), row);
        QCOMPARE(grid->GetCurrentColumn(), column);
    }
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(after->hasFocus());
    QCOMPARE(grid->GetFocusedRow(), 5);
    // Shift+Tab comes back to the cell it left.
    QTest::keyClick(after, Qt::Key_Tab, Qt::ShiftModifier);
    QVERIFY(grid->hasFocus());
    QCOMPARE(grid->GetFocusedRow(), 5);
    QCOMPARE(grid->GetCurrentColumn(), 1);
    // Ctrl+Tab leaves from any cell, both ways; the cell stays current, grey without the focus.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, current);
    QCOMPARE(currentColor(), ToQColor(0xFF9933));
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    QVERIFY(after->hasFocus());
    QCOMPARE(currentColor(), ToQColor(0xD0D0D0));
    grid->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(before->hasFocus());
    QCOMPARE(grid->GetFocusedRow(), 2);
    QCOMPARE(grid->GetCurrentColumn(), 2);
    // Shift+Tab before the first cell leaves backwards.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 1));
    QTest::keyClick(grid, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(before->hasFocus());
    // An open editor keeps Ctrl+Tab's key: the edit ends and the grid keeps the focus.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 1));
    QVERIFY(grid->GetEditor() != nullptr);
    QTest::keyClick(grid->GetEditor(), Qt::Key_Tab);
    QVERIFY(grid->GetEditor() == nullptr);
    QVERIFY(grid->hasFocus());
}

void GridTest::focusBringsEditableCell_data() {
    QTest::addColumn<int>("clickRow");  // -1: focus without a click
    QTest::addColumn<int>("clickColumn");
    QTest::addColumn<int>("reason");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("down");  // the current row after Down
    // clang-format off
    QTest::newRow("tab in")           << -1 << -1 << int(Qt::TabFocusReason)      << 1 << 1 << 2;
    QTest::newRow("backtab in")       << -1 << -1 << int(Qt::BacktabFocusReason)  << 5 << 1 << 5;
    QTest::newRow("pane key")         << -1 << -1 << int(Qt::ShortcutFocusReason) << 1 << 1 << 2;
    QTest::newRow("window back")      << -1 << -1 << int(Qt::ActiveWindowFocusReason) << 1 << 1 << 2;
    QTest::newRow("label click")      << 2 << 0 << 0 << 2 << 1 << 5;
    QTest::newRow("label-only row")   << 3 << 0 << 0 << 4 << 2 << 4;
    QTest::newRow("section click")    << 0 << 0 << 0 << 1 << 1 << 2;
    QTest::newRow("last label click") << 5 << 0 << 0 << 5 << 1 << 5;
    // clang-format on
}

void GridTest::focusBringsEditableCell() {
    QFETCH(int, clickRow);
    QFETCH(int, clickColumn);
    QFETCH(int, reason);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, down);
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* grid = new DemoGrid(&window);
    other->setGeometry(0, 0, 100, 20);
    grid->setGeometry(0, 30, 420, 300);
    FillNavigationGrid(*grid);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QCOMPARE(grid->GetFocusedRow(), -1);
    if (clickRow >= 0) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, clickRow, clickColumn));
    } else {
        grid->setFocus(Qt::FocusReason(reason));
    }
    QVERIFY(grid->hasFocus());
    QCOMPARE(grid->GetFocusedRow(), row);
    QCOMPARE(grid->GetCurrentColumn(), column);
    QCOMPARE(ColorAt(*grid, CellCenter(*grid, row, column)), ToQColor(0xFF9933));
    // The keys work at once.
    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(grid->GetFocusedRow(), down);
    // Ctrl+Home and Home: the first editable cell, never the section; End: the last.
    QTest::keyClick(grid, Qt::Key_End);
    QCOMPARE(grid->GetFocusedRow(), 5);
    QCOMPARE(grid->GetCurrentColumn(), 1);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid->GetFocusedRow(), 1);
    QCOMPARE(grid->GetCurrentColumn(), 1);
    // Typing after a click on a label edits the row's value.
    if (clickColumn == 0 && clickRow == 2) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 2, 0));
        QTest::keyClick(grid, Qt::Key_X);
        QVERIFY(grid->GetEditor() != nullptr);
        QTest::keyClick(grid->GetEditor(), Qt::Key_Return);
        QCOMPARE(grid->GetItemText(2, 1), QString("x"));
    }
}

void GridTest::clickSetsCurrentColumn() {
    auto grid = MakeNavigationGrid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 2, 2));
    QCOMPARE(grid->GetFocusedRow(), 2);
    QCOMPARE(grid->GetCurrentColumn(), 2);
    QVERIFY(grid->GetEditor() == nullptr);  // a single click never edits
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, CellCenter(*grid, 4, 2));
    QCOMPARE(grid->GetFocusedRow(), 4);
    QCOMPARE(grid->GetCurrentColumn(), 2);
    // Right of the last column and below the rows there is no cell: the current one stays.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(350, CellCenter(*grid, 1, 0).y()));
    QCOMPARE(grid->GetFocusedRow(), 4);
    QCOMPARE(grid->GetCurrentColumn(), 2);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(50, grid->viewport()->height() - 2));
    QCOMPARE(grid->GetFocusedRow(), 4);
    QCOMPARE(grid->GetCurrentColumn(), 2);
}

void GridTest::doubleClickEditsOnlyEditableCells() {
    auto grid = MakeNavigationGrid();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 2, 0));
    QVERIFY(grid->GetEditor() == nullptr);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, CellCenter(*grid, 2, 1));
    QVERIFY(grid->GetEditor() == nullptr);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 2, 1));
    auto* edit = qobject_cast<KGridListCtrlEdit*>(grid->GetEditor());
    QVERIFY(edit != nullptr);
    std::vector<QRect> rects;
    grid->GetColumnRects(2, &rects);
    QCOMPARE(edit->geometry(), rects[1]);
    QCOMPARE(edit->text(), QString("b"));
    QCOMPARE(edit->selectedText(), QString("b"));
    QVERIFY(edit->hasFocus());
}

void GridTest::typingStartsEdit() {
    auto grid = MakeNavigationGrid();
    // A letter on a current cell that became read-only does nothing.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 2, 1));
    grid->SetCellEditable(2, 1, 0);
    QTest::keyClick(grid.get(), Qt::Key_X);
    QVERIFY(grid->GetEditor() == nullptr);
    grid->SetCellEditable(2, 1, 1);
    // On an editable one it opens the editor with the letter typed over the selected text.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 2, 1));
    QTest::keyClick(grid.get(), Qt::Key_X);
    auto* edit = qobject_cast<KGridListCtrlEdit*>(grid->GetEditor());
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->text(), QString("x"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(grid->GetEditor() == nullptr);
    QCOMPARE(grid->GetItemText(2, 1), QString("x"));
    // Enter opens it with the cell's text.
    QTest::keyClick(grid.get(), Qt::Key_Return);
    edit = qobject_cast<KGridListCtrlEdit*>(grid->GetEditor());
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->text(), QString("x"));
}

void GridTest::clickOutsideEndsEditAndIsConsumed() {
    auto grid = MakeNavigationGrid();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 1));
    QWidget* edit = grid->GetEditor();
    QVERIFY(edit != nullptr);
    QTest::keyClicks(edit, "zz");
    // Through the window system, so that the press goes where the platform sends it.
    const QPoint at = grid->viewport()->mapTo(grid.get(), CellCenter(*grid, 4, 2));
    QTest::mouseClick(grid->windowHandle(), Qt::LeftButton, {}, at);
    QVERIFY(grid->GetEditor() == nullptr);
    QCOMPARE(grid->m_records.size(), size_t{1});
    QCOMPARE(grid->m_records[0].row, 1);
    QCOMPARE(grid->m_records[0].column, 1);
    QCOMPARE(grid->m_records[0].text, QString("zz"));
    // The click that ended the edit went no further.
    QCOMPARE(grid->GetFocusedRow(), 1);
    QCOMPARE(grid->GetCurrentColumn(), 1);
    QVERIFY(grid->hasFocus());
}

void GridTest::endOfEditDropsLineBreaksAndTabs() {
    auto grid = MakeNavigationGrid();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 1));
    QWidget* edit = grid->GetEditor();
    QApplication::clipboard()->setText("ab\tc\r\nd");
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(grid->m_records.size(), size_t{1});
    QCOMPARE(grid->m_records[0].text, QString("abcd"));
    QCOMPARE(grid->GetItemText(1, 1), QString("abcd"));
}

void GridTest::focusReturnsToGridAfterEdit() {
    QWidget window;
    // First in the focus chain: where Qt sends focus when the newest widget, the editor, goes.
    auto* first = new QLineEdit(&window);
    auto* grid = new DemoGrid(&window);
    first->setGeometry(0, 160, 100, 20);
    grid->setGeometry(0, 0, 300, 150);
    grid->Build(3, 2, 120);
    grid->SetupHeader();
    grid->MakeEditable(1, 1, "a");
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (Qt::Key end : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab}) {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCenter(*grid, 1, 1));
        QVERIFY(grid->GetEditor() != nullptr);
        QTest::keyClick(grid->GetEditor(), end);
        QVERIFY(grid->GetEditor() == nullptr);
        QVERIFY(grid->hasFocus());
    }
}

void GridTest::wheelIsSwallowedWhileEditing() {
    DemoGrid grid;
    grid.resize(300, 150);
    grid.Build(40, 2, 100);
    grid.SetupHeader();
    for (int row = 0; row < 40; ++row) {
        grid.MakeEditable(row, 1, QString::number(row));
    }
    grid.show();
    auto wheel = [&] {
        const QPoint at = CellCenter(grid, 1, 0);
        QWheelEvent event(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &event);
    };
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 1, 1));
    QVERIFY(grid.GetEditor() != nullptr);
    wheel();
    QCOMPARE(grid.GetTopRow(), 0);
    QVERIFY(grid.GetEditor() == nullptr);  // the wheel ends the edit, unchanged
    QVERIFY(grid.m_records.empty());
    wheel();
    QVERIFY(grid.GetTopRow() > 0);
}

void GridTest::drawsSpansAndCurrentCell() {
    DemoGrid grid;
    grid.resize(500, 200);
    grid.Build(3, 3, 80);
    grid.SetupHeader();
    grid.MakeSection(0, "", -1);
    grid.MakeLabel(1, 0, "");
    grid.MakeEditable(1, 1, "");
    grid.MakeSection(2, "", 3);
    grid.show();
    std::vector<QRect> rects;
    grid.GetColumnRects(0, &rects);
    const int rightEdge = grid.viewport()->width() - 10;
    // Span -1 runs to the right edge however few columns there are.
    QCOMPARE(ColorAt(grid, QPoint(rightEdge, rects[0].top() + 2)), ToQColor(kSectionBack));
    // Span 3 stops at the last column.
    const int row2 = rects[0].top() + 2 * grid.GetRowHeight() + 2;
    QCOMPARE(ColorAt(grid, QPoint(rects[2].right() - 2, row2)), ToQColor(kSectionBack));
    QCOMPARE(ColorAt(grid, QPoint(rightEdge, row2)), grid.palette().color(QPalette::Base));
    // The current editable cell of the selected row is highlighted; the rest of the row is not.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 1, 1));
    const int row1 = rects[0].top() + grid.GetRowHeight() + 2;
    QCOMPARE(ColorAt(grid, QPoint(rects[1].left() + 1, row1)), ToQColor(0xFF9933));
    QCOMPARE(ColorAt(grid, QPoint(rects[0].left() + 1, row1)), ToQColor(kLabelBack));
    // Disabled: the read-only triple, no highlight.
    grid.SetCellEditable(1, 1, 0);
    grid.viewport()->repaint();
    QCOMPARE(ColorAt(grid, QPoint(rects[1].left() + 1, row1)), ToQColor(kDisabledBack));
    // A selected section row draws no highlight.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 2, 0));
    QCOMPARE(ColorAt(grid, QPoint(rects[0].left() + 1, row2)), ToQColor(kSectionBack));
    // The header's title spans to the right edge in its own colours.
    const QImage header = grid.GetHeaderCtrl()->grab().toImage();
    QCOMPARE(header.pixelColor(header.width() - 10, 3), ToQColor(kTitleBack));
}

void GridTest::columnResizeByDraggingBorder() {
    DemoGrid grid;
    grid.resize(400, 200);
    grid.Build(3, 3, 300);
    grid.SetupHeader();
    grid.show();
    const int y = CellCenter(grid, 1, 0).y();
    auto move = [&](int x) {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), grid.viewport()->mapToGlobal(QPointF(x, y)),
                          Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &event);
    };
    int column = -1;
    QRect headerRect;
    QVERIFY(grid.HitTestColumnBorder(302, y, &column, &headerRect));
    QCOMPARE(column, 0);
    QVERIFY(!grid.HitTestColumnBorder(150, y, &column, &headerRect));
    QVERIFY(!grid.HitTestColumnBorder(1, y, &column, &headerRect));  // no border left of column 0

    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, QPoint(300, y));
    QVERIFY(grid.IsResizing());
    move(320);
    QCOMPARE(grid.GetColumnWidth(0), 320);
    // Scrolling during the drag keeps the border under the pointer.
    grid.horizontalScrollBar()->setValue(50);
    move(320);
    QCOMPARE(grid.GetColumnWidth(0), 370);
    move(-200);
    QCOMPARE(grid.GetColumnWidth(0), 6);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, QPoint(10, y));
    QVERIFY(!grid.IsResizing());
    QCOMPARE(grid.GetCurrentColumn(), -1);  // the drag picked no cell
    move(200);
    QCOMPARE(grid.GetColumnWidth(0), 6);  // moves after the drag change nothing

    // A drag cut short by another window ends there.
    grid.horizontalScrollBar()->setValue(0);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, QPoint(6, y));
    QVERIFY(grid.IsResizing());
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&grid, &deactivate);
    QVERIFY(!grid.IsResizing());
    move(100);
    QCOMPARE(grid.GetColumnWidth(0), 6);
}

void GridTest::rowHeightFollowsHeader() {
    DemoGrid grid;
    grid.Build(2, 2, 100);
    grid.SetupHeader();
    const int header = grid.GetHeaderCtrl()->height();
    QCOMPARE(grid.GetRowHeight(), header - 1 > 20 ? header - 1 : 21);
    QVERIFY(!grid.GetHeaderCtrl()->isEnabled());
    QVERIFY(grid.GetRowHeight() >= QFontMetrics(grid.GetCellFont(0)).height());
}

// A wide table scrolled sideways keeps its first column (the entry numbers) and its title in view;
// a click there picks the first column, not the cell that scrolled under it.
void GridTest::clicksAndPagesInALongList() {
    // 60 rows: a section at 0, editable cells (·,1) on rows 1-3 and 50-59 only.
    DemoGrid grid;
    grid.resize(300, 200);
    grid.Build(60, 2, 120);
    grid.SetupHeader();
    grid.MakeSection(0, "Section", 2);
    for (int row = 1; row < 60; ++row) {
        grid.MakeLabel(row, 0, QString("Label %1").arg(row));
        if (row < 4 || row >= 50) {
            grid.MakeEditable(row, 1, QString::number(row));
        }
    }
    grid.show();
    grid.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&grid));
    // PageDown from row 3 passes the rows without a cell to edit and lands on row 50.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 3, 1));
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QCOMPARE(grid.GetFocusedRow(), 50);
    QCOMPARE(grid.GetCurrentColumn(), 1);
    QTest::keyClick(&grid, Qt::Key_PageUp);
    QCOMPARE(grid.GetFocusedRow(), 3);
    // A label far from every editable cell is taken as clicked: the list does not jump.
    grid.EnsureVisible(25);
    const int top = grid.GetTopRow();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 25, 0));
    QCOMPARE(grid.GetFocusedRow(), 25);
    QCOMPARE(grid.GetTopRow(), top);
    // Ctrl+Home takes the keyboard back to the first editable cell.
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(grid.GetFocusedRow(), 1);
    // A double click on the section makes row 1 current but opens nothing.
    grid.EnsureVisible(0);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 0, 0));
    QCOMPARE(grid.GetFocusedRow(), 1);
    QVERIFY(grid.GetEditor() == nullptr);
    // A double click on a value opens it.
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellCenter(grid, 2, 1));
    QVERIFY(grid.GetEditor() != nullptr);
}

void GridTest::frozenFirstColumnStaysInView() {
    DemoGrid grid;
    grid.resize(320, 200);
    grid.Build(3, 4, 150);
    grid.SetupHeader();
    grid.MakeLabel(1, 0, "");
    for (int column = 1; column < 4; ++column) {
        grid.MakeEditable(1, column, "");
    }
    grid.SetFirstColumnFrozen(true);
    grid.show();
    const int y = CellCenter(grid, 1, 0).y();
    grid.horizontalScrollBar()->setValue(200);
    grid.viewport()->repaint();
    QCOMPARE(ColorAt(grid, QPoint(5, y)), ToQColor(kLabelBack));
    QCOMPARE(grid.SubItemHitTest(QPoint(5, y)).second, 0);
    QCOMPARE(grid.SubItemHitTest(QPoint(160, y)).second, 2);  // 160 + 200 lies in column 2
    int column = -1;
    QRect headerRect;
    QVERIFY(!grid.HitTestColumnBorder(100, y, &column, &headerRect));  // border 1|2 lies under it
    // The title is drawn from the header's left edge, not scrolled away with column 0.
    const QImage header = grid.GetHeaderCtrl()->grab().toImage();
    bool titleInk = false;
    for (int x = 2; x < 60 && !titleInk; ++x) {
        for (int yy = 2; yy < header.height() - 2 && !titleInk; ++yy) {
            const QColor c = header.pixelColor(x, yy);  // yellow ink, antialiased at its edges
            titleInk = c.red() > 160 && c.green() > 160 && c.blue() < 100;
        }
    }
    QVERIFY(titleInk);
    // Not frozen, the column scrolls away as before.
    grid.SetFirstColumnFrozen(false);
    grid.viewport()->repaint();
    QCOMPARE(ColorAt(grid, QPoint(5, y)), ToQColor(kValueBack));
}

static EditorTestRegistration<GridTest> registration;
#include "grid_test.moc"
