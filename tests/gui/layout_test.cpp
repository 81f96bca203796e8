// Names in full: in English and in Japanese, the tree is wide enough for its captions when the
// window first shows, a caption that is still cut has a tip with the whole caption, and no label
// or column heading of any page is cut.
#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <functional>
#include <stdexcept>

#include "gui/editor/k_grid_list_view.h"
#include "gui/shell/left_view.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "pages/page_declaration.h"
#include "pages/set_mode_page.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kIdListEntries = 1021;

// The program's language as its setting selects it: the language files and the grid's face.
void SelectProgramLanguage(uint16_t id) {
    qputenv("TALVERO_LANG", QByteArray::number(id, 16).prepend("0x"));
    ClearLanguageTexts();
    SelectLanguageFiles(
        (BinDir() + "/talvero").toStdString(), id, [](uint32_t code, const std::string& path) {
            throw std::runtime_error("language file " + path + " failed with " + std::to_string(code));
        });
}

QList<QTreeWidgetItem*> AllItems(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> items;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* item) {
        items << item;
        for (int i = 0; i < item->childCount(); ++i) {
            walk(item->child(i));
        }
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        walk(tree->topLevelItem(i));
    }
    return items;
}

// The room a caption needs, after the icon and the item's margins, and the part of its row the
// tree shows.
int NeededWidth(QTreeWidget* tree, QTreeWidgetItem* item) {
    const int margins = 3 * 2 + 4;  // text margins either side and the gap after the icon
    return QFontMetrics(tree->font()).horizontalAdvance(item->text(0)) + tree->iconSize().width() + margins;
}
int ShownWidth(QTreeWidget* tree, QTreeWidgetItem* item) {
    return tree->visualItemRect(item).intersected(tree->viewport()->rect()).width();
}

bool CaptionCut(QTreeWidget* tree, QTreeWidgetItem* item) {
    return NeededWidth(tree, item) > ShownWidth(tree, item);
}

// With a few pixels to spare: the style's own margins may differ a little from the estimate.
bool CaptionClearlyWhole(QTreeWidget* tree, QTreeWidgetItem* item) {
    return NeededWidth(tree, item) + 8 <= ShownWidth(tree, item);
}

// The tip the tree shows over the item, or empty.
QString TipOver(QTreeWidget* tree, QTreeWidgetItem* item) {
    tree->scrollToItem(item);
    const QPoint at = tree->visualItemRect(item).center();
    QHelpEvent help(QEvent::ToolTip, at, tree->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(tree->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Takes away a tip still shown, at once (hiding it the usual way takes a moment).
void HideTips() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel")) {
            window->hide();
        }
    }
}

// "node row,column: text" for every fixed text of the page (labels, headings, sections) that
// does not fit its cell; measured in the bold face, the wider of the grid's two.
QStringList CutCells(KGridListView* grid, uint32_t node) {
    QStringList cut;
    const QFontMetrics bold(grid->GetCellFont(0));
    const int columns = grid->GetColumnCount();
    for (int row = 0; row < grid->GetItemCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString text = grid->GetItemText(row, column);
            if (text.isEmpty() || grid->IsCellEditable(row, column)) {
                continue;
            }
            const int span = grid->GetCellSpan(row, column);
            if (span < 0) {
                continue;  // runs to the window's edge
            }
            int width = 0;
            for (int c = column; c < std::min(columns, column + std::max(1, span)); ++c) {
                width += grid->GetColumnWidth(c);
            }
            if (bold.horizontalAdvance(text) + 3 + 3 > width) {
                cut << QStringLiteral("%1 %2,%3: %4 (%5 > %6)")
                           .arg(node)
                           .arg(row)
                           .arg(column)
                           .arg(text)
                           .arg(bold.horizontalAdvance(text) + 6)
                           .arg(width);
            }
        }
    }
    return cut;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() {
        qunsetenv("TALVERO_LANG");
        UseLanguage(false);
    }

    void namesAreShownInFull_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("English") << 0x0409 << 1366 << 740;
        QTest::newRow("Japanese") << 0x0411 << 1366 << 740;
        // The window as the program first opens it.
        QTest::newRow("English, first size") << 0x0409 << 900 << 640;
        QTest::newRow("Japanese, first size") << 0x0411 << 900 << 640;
    }
    void namesAreShownInFull() {
        QFETCH(int, language);
        QFETCH(int, width);
        QFETCH(int, height);
        TestEnvironment env;
        SelectProgramLanguage(static_cast<uint16_t>(language));
        FrameUnderTest t;
        t.frame->resize(width, height);
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        CLeftView* tree = t.frame->LeftView();
        tree->expandAll();
        QCoreApplication::processEvents();

        // On first showing the tree takes the width of its longest caption, within a third of the
        // window.
        QStringList cutItems;
        for (QTreeWidgetItem* item : AllItems(tree)) {
            tree->scrollToItem(item);
            if (CaptionCut(tree, item)) {
                cutItems << item->text(0);
            }
        }
        QVERIFY2(cutItems.isEmpty(), qPrintable(cutItems.join(" | ")));
        QVERIFY(tree->width() <= t.frame->width() / 3);

        // Every page's labels and headings fit their columns, and in a window of 1366 pixels only
        // the ID list entries page, with its five wide columns, is wider than its room and scrolls
        // sideways. A page of rows fills its room, whatever the window's size: its values reach
        // the right edge, and keep 200 pixels where the labels leave less.
        QStringList cutCells;
        QStringList scrolled;
        for (const auto& [node, view] : t.frame->PageViews()) {
            auto* grid = qobject_cast<KGridListView*>(view);
            if (!grid) {
                continue;
            }
            if (auto item = t.frame->TreeItems().find(node); item != t.frame->TreeItems().end()) {
                tree->setCurrentItem(item->second);
            }
            QCoreApplication::processEvents();
            cutCells << CutCells(grid, node);
            int total = 0;
            for (int c = 0; c < grid->GetColumnCount(); ++c) {
                total += grid->GetColumnWidth(c);
            }
            const PageDeclaration* declared = FindPageDeclaration(node);
            // The setting-mode page lays out its flag cells itself.
            const bool rows = declared && !declared->table && node != set_mode_page::kNodeId;
            const int filled = std::max(grid->viewport()->width(), grid->GetColumnWidth(0) + 200);
            if ((width >= 1366 && grid->horizontalScrollBar()->isVisible() && node != kIdListEntries) ||
                (rows && total != filled)) {
                scrolled
                    << QStringLiteral("%1 (%2 in %3)").arg(node).arg(total).arg(grid->viewport()->width());
            }
        }
        QVERIFY2(cutCells.isEmpty(), qPrintable(cutCells.join("\n")));
        QVERIFY2(scrolled.isEmpty(), qPrintable(scrolled.join(", ")));

        // The user's narrower tree cuts captions: each cut one has a tip with the whole caption,
        // and one that fits has none.
        t.frame->Splitter()->setSizes({150, t.frame->width() - 150});
        QCoreApplication::processEvents();
        QList<QTreeWidgetItem*> whole;
        QList<QTreeWidgetItem*> cut;
        for (QTreeWidgetItem* item : AllItems(tree)) {
            tree->scrollToItem(item);
            if (CaptionCut(tree, item)) {
                cut << item;
            } else if (CaptionClearlyWhole(tree, item)) {
                whole << item;
            }
        }
        QVERIFY(!cut.isEmpty() && !whole.isEmpty());
        // Those that fit first: while no tip has been shown, any tip would be theirs.
        HideTips();
        for (QTreeWidgetItem* item : whole) {
            QVERIFY2(TipOver(tree, item).isEmpty(), qPrintable(item->text(0)));
        }
        for (QTreeWidgetItem* item : cut) {
            QCOMPARE(TipOver(tree, item), item->text(0));
        }
        HideTips();
    }
};

static GuiTestRegistration<LayoutTest> g_layoutTest;

#include "layout_test.moc"
