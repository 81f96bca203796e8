// The in-place choice editor: selection of the cell's item, a value outside the items, choosing
// with Enter and Tab, Escape, dismissal, and the width of the open list.
#include <QAbstractItemView>
#include <QTest>

#include "demo_grid.h"
#include "editor_tests.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"

namespace {

const QStringList kTones = {"none", "tone1", "tone2"};

struct ComboFixture {
    DemoGrid grid;
    KGridListCtrlCombo* combo = nullptr;

    explicit ComboFixture(const QString& text, const QStringList& items = kTones, int column = 1) {
        grid.resize(400, 300);
        grid.Build(3, 3, 120);
        grid.SetupHeader();
        DemoGrid::CellEditor editor;
        editor.items = items;
        grid.MakeEditable(1, column, text, editor);
        grid.show();
        grid.activateWindow();
        (void)QTest::qWaitForWindowActive(&grid);
        std::vector<QRect> rects;
        grid.GetColumnRects(1, &rects);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, rects[column].center());
        combo = qobject_cast<KGridListCtrlCombo*>(grid.GetEditor());
    }

    // The combo closes itself from a posted message.
    bool WaitClosed() {
        return QTest::qWaitFor([this] { return grid.GetEditor() == nullptr; }, 2000);
    }
};

}  // namespace

class CellComboTest : public QObject {
    Q_OBJECT
  private slots:
    void opensOnCellItem();
    void valueOutsideItems();
    void enterAndTabChoose();
    void escapeReportsNothing();
    void openListWidth();
};

void CellComboTest::opensOnCellItem() {
    ComboFixture f("tone1");
    QVERIFY(f.combo != nullptr);
    QVERIFY(f.combo->view()->isVisible());
    QCOMPARE(f.combo->currentIndex(), 1);
    QCOMPARE(f.combo->count(), 3);
    // Choosing the item it opened on is no change.
    QTest::keyClick(f.combo->view(), Qt::Key_Return);
    QVERIFY(f.WaitClosed());
    QVERIFY(f.grid.m_records.empty());
}

void CellComboTest::valueOutsideItems() {
    ComboFixture f("tone9");
    QCOMPARE(f.combo->currentIndex(), -1);
    // Dismissing the list without a choice reports nothing: the value the list lacks stays.
    f.combo->hidePopup();
    QVERIFY(f.WaitClosed());
    QVERIFY(f.grid.m_records.empty());
    QCOMPARE(f.grid.GetItemText(1, 1), QString("tone9"));
}

void CellComboTest::enterAndTabChoose() {
    {
        ComboFixture f("none");
        QTest::keyClick(f.combo->view(), Qt::Key_Down);
        QTest::keyClick(f.combo->view(), Qt::Key_Return);
        QVERIFY(f.WaitClosed());
        QCOMPARE(f.grid.m_records.size(), size_t{1});
        QCOMPARE(f.grid.m_records[0].text, QString("tone1"));
        QCOMPARE(f.grid.GetItemText(1, 1), QString("tone1"));
    }
    {
        ComboFixture f("none");
        QTest::keyClick(f.combo->view(), Qt::Key_Down);
        QTest::keyClick(f.combo->view(), Qt::Key_Down);
        QTest::keyClick(f.combo->view(), Qt::Key_Tab);
        QVERIFY(f.WaitClosed());
        QCOMPARE(f.grid.m_records.size(), size_t{1});
        QCOMPARE(f.grid.m_records[0].text, QString("tone2"));
    }
}

void CellComboTest::escapeReportsNothing() {
    for (const QString& text : {QString("tone1"), QString("tone9")}) {
        ComboFixture f(text);
        QTest::keyClick(f.combo->view(), Qt::Key_Down);
        QTest::keyClick(f.combo->view(), Qt::Key_Escape);
        QVERIFY(f.WaitClosed());
        QVERIFY(f.grid.m_records.empty());
        QCOMPARE(f.grid.GetItemText(1, 1), text);
    }
}

void CellComboTest::openListWidth() {
    const QString longItem(60, QChar('W'));
    ComboFixture f("none", {"none", longItem}, 2);
    std::vector<QRect> rects;
    f.grid.GetColumnRects(1, &rects);
    // Wider than the room: cut at the grid's right edge.
    QCOMPARE(f.combo->GetDroppedWidth(), f.grid.viewport()->width() - rects[2].left());
    QVERIFY(f.combo->view()->width() >= f.combo->GetDroppedWidth());
    f.combo->hidePopup();
    QVERIFY(f.WaitClosed());

    ComboFixture narrow("none", {"none", "abc"}, 0);
    const int widest = QFontMetrics(narrow.grid.font()).horizontalAdvance("none");
    QCOMPARE(narrow.combo->GetDroppedWidth(),
             std::max(widest, QFontMetrics(narrow.grid.font()).horizontalAdvance("abc")) + 20);
}

static EditorTestRegistration<CellComboTest> registration;
#include "cell_combo_test.moc"
