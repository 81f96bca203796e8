// The table pages that keep their help per column (ID list entries, status list): the help pane
// follows the current cell across the row, whether it moved by Right, Left, Tab, Shift+Tab or a
// click, and also on a window so narrow that each move scrolls the page sideways.
#include <QScrollBar>
#include <QTest>

#include "gui/shell/page_registry.h"
#include "gui_tests.h"
#include "page_under_test.h"
#include "pages/page_declaration.h"

namespace {

struct HelpColumnsPage : GridDriver {
    CTalveroDoc doc;
    ScriptedPrompts prompts;
    QStringList help;  // every address sent to the help pane, in order
    std::unique_ptr<QWidget> widget;
    ISettingsPage* page = nullptr;
    std::vector<QString> columnHelp;  // the declared help page of each grid column (0: none)

    HelpColumnsPage(uint32_t node, int width) {
        doc.OnNewDocument();
        // An entry of the ID list has its number cell open only once it has a type.
        doc.Set(u"id_type", 0, u"indi");
        doc.SetModifiedFlag(false);
        PageContext context;
        context.document = &doc;
        context.helpFilePath = "/opt/talvero/talvero.chm";
        context.navigateHelp = [this](const QString& address) { help << address; };
        page = (*FindPageFactory(node))(nullptr, context);
        widget.reset(page->PageWidget());
        grid = qobject_cast<KGridListView*>(widget.get());
        ShowPageForTest(widget.get(), page, 0);
        widget->resize(width, 400);
        columnHelp.emplace_back();
        for (const TableColumn& column : FindPageDeclaration(node)->table->columns) {
            columnHelp.push_back(QString::fromStdString(column.cell.helpPage));
        }
    }

    // The page the pane shows last, and that the pane was told it at all.
    QString Shown() const { return help.isEmpty() ? QString() : help.last().section('/', -1); }

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(grid, key, modifiers); }

    // Clicks the cell where it is in view, scrolling sideways first when it is not.
    void Click(int row, int column) {
        std::vector<QRect> rects;
        grid->GetColumnRects(row, &rects);
        const QRect& cell = rects.at(column);
        const int viewWidth = grid->viewport()->width();
        if (cell.left() < grid->GetColumnWidth(0) || cell.right() >= viewWidth) {
            QScrollBar* bar = grid->horizontalScrollBar();
            bar->setValue(bar->value() + cell.left() - grid->GetColumnWidth(0));
            rects.clear();
            grid->GetColumnRects(row, &rects);
        }
        const QRect& shown = rects.at(column);
        const int left = std::max(shown.left(), grid->GetColumnWidth(0));
        const int right = std::min(shown.right(), viewWidth - 1);
        QVERIFY2(left < right, "cell not in view");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          QPoint((left + right) / 2, shown.center().y()));
    }
};

}  // namespace

class HelpColumnsTest : public QObject {
    Q_OBJECT
  private slots:
    void helpFollowsTheColumn_data();
    void helpFollowsTheColumn();
};

void HelpColumnsTest::helpFollowsTheColumn_data() {
    QTest::addColumn<uint>("node");
    QTest::addColumn<int>("width");
    // Wide enough for every column, and so narrow that each move to the right scrolls.
    QTest::newRow("ID list entries") << 1021u << 1400;
    QTest::newRow("ID list entries, narrow") << 1021u << 420;
    QTest::newRow("status list") << 1025u << 1400;
    QTest::newRow("status list, narrow") << 1025u << 300;
}

void HelpColumnsTest::helpFollowsTheColumn() {
    QFETCH(uint, node);
    QFETCH(int, width);
    HelpColumnsPage t(node, width);
    const int row = kTableFirstRow;
    const int last = static_cast<int>(t.columnHelp.size()) - 1;
    QVERIFY(last >= 2);
    for (int column = 1; column <= last; ++column) {
        QVERIFY2(t.Editable(row, column), qPrintable(QString("column %1").arg(column)));
        QVERIFY(!t.columnHelp[column].isEmpty());
    }

    t.Click(row, 1);
    QCOMPARE(t.grid->GetCurrentColumn(), 1);
    QCOMPARE(t.Shown(), t.columnHelp[1]);
    for (int column = 2; column <= last; ++column) {
        t.Key(Qt::Key_Right);
        QCOMPARE(t.grid->GetCurrentColumn(), column);
        QCOMPARE(t.Shown(), t.columnHelp[column]);
    }
    for (int column = last - 1; column >= 1; --column) {
        t.Key(Qt::Key_Left);
        QCOMPARE(t.Shown(), t.columnHelp[column]);
    }
    for (int column = 2; column <= last; ++column) {
        t.Key(Qt::Key_Tab);
        QCOMPARE(t.grid->GetFocusedRow(), row);
        QCOMPARE(t.Shown(), t.columnHelp[column]);
    }
    t.Key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(t.Shown(), t.columnHelp[last - 1]);
    // Clicks in the same row, wherever the page is scrolled to.
    for (int column : {last, 2, 1}) {
        t.Click(row, column);
        QCOMPARE(t.grid->GetCurrentColumn(), column);
        QCOMPARE(t.Shown(), t.columnHelp[column]);
    }
    // Down keeps the column and its help; nothing was changed by looking.
    const qsizetype sent = t.help.size();
    t.Key(Qt::Key_Down);
    QCOMPARE(t.grid->GetFocusedRow(), row + 1);
    QCOMPARE(t.Shown(), t.columnHelp[1]);
    QVERIFY(t.help.size() > sent);
    QVERIFY(!t.doc.IsModified());
}

static GuiTestRegistration<HelpColumnsTest> registration;
#include "help_columns_test.moc"
