// The main window by keyboard alone: Tab and Shift+Tab walk tree, grid and help pane; the grid
// always has a current editable cell when it has the focus, and the focused pane shows it.
#include <QApplication>
#include <QTest>
#include <QTreeWidget>

#include "gui/editor/list_view_base.h"
#include "gui/shell/help_view.h"
#include "gui/shell/left_view.h"
#include "gui/shell/main_frame.h"
#include "gui_support.h"
#include "gui_tests.h"

namespace {

QWidget* Focused() {
    return QApplication::focusWidget();
}

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = Focused();
    QVERIFY(target);
    QTest::keyClick(target, key, modifiers);
}

// The grid has the focus with an editable cell current and shown, whose row has its help.
void CheckGridReady(CListViewBase* grid) {
    QCOMPARE(Focused(), static_cast<QWidget*>(grid));
    const int row = grid->GetFocusedRow();
    QVERIFY(row >= 0);
    QVERIFY(grid->IsCellEditable(row, grid->GetCurrentColumn()));
    QVERIFY2(!grid->GetHelpUrl().isEmpty(), qPrintable(QString::number(row)));
}

// Shows the first page of the tree with at least three rows a user can edit and a label beside a
// value, and returns its grid.
CListViewBase* ShowEditablePage(CMainFrame& frame) {
    for (const auto& [node, item] : frame.TreeItems()) {
        auto* grid = qobject_cast<CListViewBase*>(frame.PageViews().count(node) ? frame.PageViews().at(node)
                                                                                : nullptr);
        if (!grid) {
            continue;
        }
        frame.LeftView()->setCurrentItem(item);
        int rows = 0;
        bool labelled = false;
        for (int row = 0; row < grid->GetItemCount(); ++row) {
            rows += grid->IsCellEditable(row, 1) ? 1 : 0;
            labelled =
                labelled || (!grid->IsCellEditable(row, 0) && grid->IsCellEditable(row, 1) && rows > 1);
        }
        if (rows >= 3 && labelled && frame.CurrentPageView() == grid) {
            return grid;
        }
    }
    return nullptr;
}

// The main window shown and active, as a user at the keyboard has it.
bool ShowActive(CMainFrame& frame) {
    frame.resize(1000, 700);
    frame.show();
    frame.activateWindow();
    return QTest::qWaitForWindowActive(&frame);
}

QColor Pixel(QWidget* widget, const QPoint& at) {
    return widget->grab().toImage().pixelColor(at);
}

}  // namespace

class KeyboardFocusTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }

    void tabWalksThePanes() {
        TestEnvironment env;
        FrameUnderTest t;
        QVERIFY(ShowActive(*t.frame));
        QTreeWidget* tree = t.frame->LeftView();
        QWidget* help = t.frame->HelpView();
        auto* grid = ShowEditablePage(*t.frame);
        QVERIFY(grid);
        tree->setFocus();
        const QPoint selected = tree->visualItemRect(tree->currentItem()).center();
        const QColor treeFocused = Pixel(tree->viewport(), selected);

        // Tab: tree → grid (its first editable cell) → across the cells → help pane → tree.
        Press(Qt::Key_Tab);
        CheckGridReady(grid);
        // Only one pane looks focused: the tree's selection turns grey, the help has no frame.
        QVERIFY(Pixel(tree->viewport(), selected) != treeFocused);
        QVERIFY(Pixel(help, QPoint(0, 0)) != help->palette().color(QPalette::Highlight));
        int first = grid->GetFocusedRow();
        const int firstColumn = grid->GetCurrentColumn();
        Press(Qt::Key_Tab);
        CheckGridReady(grid);
        QVERIFY(grid->GetFocusedRow() != first || grid->GetCurrentColumn() != firstColumn);
        Press(Qt::Key_End);
        const int last = grid->GetFocusedRow();
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), help);
        QCOMPARE(Pixel(help, QPoint(0, 0)), help->palette().color(QPalette::Highlight));
        QCOMPARE(grid->GetFocusedRow(), last);
        Press(Qt::Key_Tab);
        QCOMPARE(Focused(), static_cast<QWidget*>(tree));
        QCOMPARE(Pixel(tree->viewport(), selected), treeFocused);
        QVERIFY(Pixel(help, QPoint(0, 0)) != help->palette().color(QPalette::Highlight));

        // Shift+Tab: tree → help → grid (the cell it left) → before its first cell → tree.
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Focused(), help);
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        CheckGridReady(grid);
        QCOMPARE(grid->GetFocusedRow(), last);
        Press(Qt::Key_Home, Qt::ControlModifier);
        CheckGridReady(grid);
        QCOMPARE(grid->GetFocusedRow(), first);
        Press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(Focused(), static_cast<QWidget*>(tree));

        // Ctrl+Tab leaves the grid from any cell.
        Press(Qt::Key_Tab);
        Press(Qt::Key_Down);
        CheckGridReady(grid);
        QVERIFY(grid->GetFocusedRow() > first);
        Press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(Focused(), help);
    }

    void gridHasCurrentCellAfterF6AndLabelClick() {
        TestEnvironment env;
        FrameUnderTest t;
        QVERIFY(ShowActive(*t.frame));
        QTreeWidget* tree = t.frame->LeftView();
        auto* grid = ShowEditablePage(*t.frame);
        QVERIFY(grid);

        // F6 from the tree: a current cell at once, and Down moves from it.
        tree->setFocus();
        QCOMPARE(grid->GetFocusedRow(), -1);
        Press(Qt::Key_F6);
        CheckGridReady(grid);
        const int first = grid->GetFocusedRow();
        Press(Qt::Key_Down);
        CheckGridReady(grid);
        QVERIFY(grid->GetFocusedRow() > first);

        // A click on a label (from another pane): the row's own editable cell.
        int labelRow = -1;
        for (int row = grid->GetItemCount() - 1; row > first && labelRow < 0; --row) {
            if (!grid->IsCellEditable(row, 0) && grid->IsCellEditable(row, 1)) {
                labelRow = row;
            }
        }
        QVERIFY(labelRow > 0);
        grid->EnsureVisible(labelRow);
        QRect rowRect;
        QVERIFY(grid->GetItemRect(labelRow, &rowRect));
        tree->setFocus();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(5, rowRect.center().y()));
        CheckGridReady(grid);
        QCOMPARE(grid->GetFocusedRow(), labelRow);
        QCOMPARE(grid->GetCurrentColumn(), 1);
        Press(Qt::Key_Up);
        CheckGridReady(grid);
        QVERIFY(grid->GetFocusedRow() < labelRow);
    }
};

static GuiTestRegistration<KeyboardFocusTest> g_keyboardFocusTest;
#include "keyboard_focus_test.moc"
