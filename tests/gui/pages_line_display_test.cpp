// The line switching, out-of-service tone, display, access password, setting-mode permission and
// radio information pages, driven by key and mouse events with the English texts loaded.
#include <QMimeData>

#include "document/ini_data.h"
#include "gui/pages/list_view_info.h"
#include "gui/pages/list_view_maintenance_set_mode.h"
#include "gui_tests.h"
#include "page_under_test.h"

namespace {

std::u16string U(const QString& text) {
    return text.toStdU16String();
}

// The document's file form read back into a fresh document: what a save and an open keep.
std::u16string AfterFileRoundTrip(const CTalveroDoc& doc, std::u16string_view name) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    std::u16string text;
    for (const std::u16string& line : lines) {
        text += line + u"\r\n";
    }
    CIniData map;
    map.LoadText(text);
    CTalveroDoc reopened;
    reopened.LoadSettings(map, true);
    return reopened.Get(name);
}

// Permission rows of the setting-mode page.
constexpr int kBluetoothRow = 61;  // "setcom_bt"
constexpr int kResetRow = 81;      // "setmode_reset"

}  // namespace

class LineDisplayPagesTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }
    void permissionFlags();
    void permissionLayout();
    void informationReadOnly();
};

void LineDisplayPagesTest::permissionFlags() {
    const QString no = LangText(2585), yes = LangText(2586);
    struct Case {
        std::u16string stored;
        QString low, high;  // shown before the edit
        int column;
        QString chosen;
        std::u16string after;
    };
    const std::vector<Case> cases = {
        {u"2", no, yes, 1, yes, u"3"},
        {u"3", yes, yes, 2, no, u"1"},
        {u"0", no, no, 2, yes, u"2"},
        {u"1", yes, no, 1, no, u"0"},
        {u"1", yes, no, 1, yes, u"1"},  // the same flag again: nothing changes
        // Values outside 0–3 show the flags the document reads from them, so that an edit of one
        // column never drops a flag the other column showed.
        {u"7", no, no, 1, yes, u"1"},
        {u"", no, no, 2, yes, u"2"},
        {u"3 ", yes, yes, 1, no, u"2"},
    };
    for (const Case& c : cases) {
        for (int row : {kBluetoothRow, kResetRow}) {
            if (row == kResetRow && c.column == 1) {
                continue;
            }
            const std::u16string key = row == kResetRow ? u"setmode_reset" : u"setcom_bt";
            PageUnderTest<CListViewMaintenanceSetMode> t([&](CTalveroDoc& doc) { doc.Set(key, c.stored); });
            QCOMPARE(t.Cell(row, 1), c.low);
            QCOMPARE(t.Cell(row, 2), c.high);
            t.Choose(row, c.column, c.chosen);
            QCOMPARE(t.doc.Get(key), c.after);
            QCOMPARE(t.doc.IsModified(), c.after != c.stored);
            QCOMPARE(t.Cell(row, c.column), c.chosen);
            QCOMPARE(AfterFileRoundTrip(t.doc, key), c.after);
            // The cells are a view of the document: a refresh shows what the edit left.
            t.page->RefreshFromDocument();
            QCOMPARE(t.Cell(row, c.column), c.chosen);
            QCOMPARE(t.Cell(row, 3 - c.column), 3 - c.column == 1 ? c.low : c.high);
        }
    }
}

void LineDisplayPagesTest::permissionLayout() {
    PageUnderTest<CListViewMaintenanceSetMode> t;
    QCOMPARE(t.page->GetItemCount(), 82);
    QCOMPARE(t.page->GetColumnCount(), 3);
    QCOMPARE(t.page->GetItemText(1, 1), LangText(9503));
    QCOMPARE(t.page->GetItemText(1, 2), LangText(9504));
    // Labels and help follow the rows, the display items in the radio's own order.
    const struct {
        int row;
        uint32_t label;
        QString help;
    } rows[] = {{2, 10300, "setcom_his_del.htm"},           {59, 10357, "setlte_disp_sw.htm"},
                {60, 10383, "setcom_gps_switch.htm"},       {73, 10369, "setlte_disp_sim_sw.htm"},
                {75, 10382, "setcom_disp_silent_mode.htm"}, {80, 10374, "setlte_iccid.htm"},
                {kResetRow, 9510, "setmode_reset.htm"}};
    for (const auto& r : rows) {
        QCOMPARE(t.page->GetItemText(r.row, 0), LangText(r.label));
        QTest::mouseClick(t.page->viewport(), Qt::LeftButton, {}, t.Point(r.row, 0));
        QVERIFY2(t.page->GetHelpUrl().endsWith("::/" + r.help), qPrintable(t.page->GetHelpUrl()));
    }
    // Defaults: "3" for the Bluetooth item, "0" for GPS, "2" for reset.
    QCOMPARE(t.Cell(kBluetoothRow, 1), LangText(2586));
    QCOMPARE(t.Cell(60, 2), LangText(2585));
    QCOMPARE(t.Cell(kResetRow, 2), LangText(2586));
    // The reset item's low flag is shown but opens no editor; its high flag opens the two choices.
    QVERIFY(!t.page->IsCellEditable(kResetRow, 1));
    QCOMPARE(t.Cell(kResetRow, 1), LangText(2585));
    QVERIFY(t.Open(kResetRow, 1) == nullptr);
    QCOMPARE(t.ComboItems(kResetRow, 2), QStringList({LangText(2585), LangText(2586)}));
    QVERIFY(!t.doc.IsModified());
}

void LineDisplayPagesTest::informationReadOnly() {
    const QString iccid = "8981100022152446714";
    PageUnderTest<CListViewInfo> t(
        [&](CTalveroDoc& doc) {
            doc.Set(u"iccid", U(iccid));
            doc.Set(u"call_id", u"42");
        },
        -1);
    QCOMPARE(t.Cell(1), iccid);
    QCOMPARE(t.Cell(3), QString("00042"));

    auto* edit = qobject_cast<QLineEdit*>(t.Open(1));
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->text(), iccid);
    QApplication::clipboard()->setText("pasted");
    // Typing, deleting, cutting and pasting leave the text as it is.
    QTest::keyClicks(edit, "123");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), iccid);
    // A part of the number can be selected and copied.
    edit->setSelection(0, 4);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("8981"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(t.page->GetEditor() == nullptr);
    QCOMPARE(t.Cell(1), iccid);
    QCOMPARE(t.doc.Get(u"iccid"), U(iccid));
    QVERIFY(!t.doc.IsModified());
    // The whole cell copies from the grid too; the call ID opens nothing and copies nothing.
    QTest::keyClick(t.page.get(), Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(QApplication::clipboard()->text(), iccid);
    QVERIFY(t.Open(3) == nullptr);
    QVERIFY(!t.page->IsCellEditable(3, 1));
    QVERIFY(!t.doc.IsModified());
}

static GuiTestRegistration<LineDisplayPagesTest> registration;
#include "pages_line_display_test.moc"
