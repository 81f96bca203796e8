// The line switching, out-of-service tone, display, access password, setting-mode permission and
// radio information pages, driven by key and mouse events with the English texts loaded.
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>

#include "document/ini_data.h"
#include "gui/pages/list_view_communication_setting.h"
#include "gui/pages/list_view_disp_view.h"
#include "gui/pages/list_view_info.h"
#include "gui/pages/list_view_maintenance_set_mode.h"
#include "gui/pages/list_view_no_service.h"
#include "gui/pages/list_view_security_pass.h"
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
    void lineChoices();
    void backgroundInterval();
    void outOfServiceChoices();
    void displayChoicesAndClockRule();
    void displayTexts();
    void accessPassword();
    void permissionFlags();
    void permissionLayout();
    void informationReadOnly();
};

// A choice committed through the combo: what the cell showed, what the combo offered, what the
// document stores afterwards.
struct ChoiceCase {
    int row;
    std::u16string key;
    std::u16string stored;  // before the edit ("" keeps the default)
    QString shown;
    QString chosen;
    std::u16string after;
};

template <class Page>
void CheckChoices(const std::vector<ChoiceCase>& cases) {
    for (const ChoiceCase& c : cases) {
        PageUnderTest<Page> t([&](CTalveroDoc& doc) {
            if (!c.stored.empty()) {
                QVERIFY(doc.Set(c.key, c.stored));
            }
        });
        QCOMPARE(t.Text(c.row), c.shown);
        const std::u16string before = t.doc.Get(c.key);
        t.Choose(c.row, 1, c.chosen);
        QCOMPARE(t.doc.Get(c.key), c.after);
        QCOMPARE(t.doc.IsModified(), c.after != before);
        QCOMPARE(t.Text(c.row), c.chosen);
        QVERIFY(t.prompts.messages.isEmpty());
    }
}

void LineDisplayPagesTest::lineChoices() {
    const QString noSwitch = T(9188);
    CheckChoices<CListViewCommunicationSetting>({
        {1, u"mode", u"", T(9153), T(9154), u"half"},
        {3, u"active_line", u"", T(9184), T(9187), u"wlan_auto"},
        {4, u"lte_down_thresh", u"0", noSwitch, "-18", u"-18"},
        {4, u"lte_down_thresh", u"-18", "-18", noSwitch, u"0"},
        // A level from the other line's range still shows as its number.
        {4, u"lte_down_thresh", u"-60", "-60", "-3", u"-3"},
        {5, u"lte_up_thresh", u"-25", "-25", "-5", u"-5"},  // stored as is, shown as stored
        {6, u"wlan_down_thresh", u"", "-80", "-130", u"-130"},
        {7, u"wlan_up_thresh", u"", "-75", "-10", u"-10"},
        {8, u"monitor_time", u"", "3", "60", u"60"},
    });
    PageUnderTest<CListViewCommunicationSetting> t;
    QString current;
    const QStringList lte = t.ComboItems(4, 1, &current);
    QCOMPARE(lte.size(), 19);
    QCOMPARE(lte.first(), noSwitch);
    QCOMPARE(lte.at(1), QString("-3"));
    QCOMPARE(lte.last(), QString("-20"));
    QCOMPARE(current, QString("-18"));
    const QStringList wlanUp = t.ComboItems(7);
    QCOMPARE(wlanUp.size(), 121);
    QCOMPARE(wlanUp.first(), QString("-10"));
    QCOMPARE(t.ComboItems(8).size(), 60);
    // The declared width is the least: longer labels widen the column to fit them.
    QVERIFY(t.page->GetColumnWidth(0) >= 360);
}

void LineDisplayPagesTest::backgroundInterval() {
    PageUnderTest<CListViewCommunicationSetting> t;
    const int sw = 9, interval = 10;
    QCOMPARE(t.Text(interval), QString("180"));
    QVERIFY(t.page->IsCellEditable(interval, 1));
    // Refused: the message, the old value in the cell and the document, nothing modified.
    for (const QString& typed : {QString("59"), QString("3601"), QString(""), QString("6a")}) {
        t.Type(interval, 1, typed);
        QCOMPARE(t.prompts.messages.size(), 1);
        QCOMPARE(t.prompts.messages.takeFirst(), T(9189));
        QVERIFY(t.prompts.icons.takeFirst() == IUserPrompts::Icon::Stop);
        QCOMPARE(t.Text(interval), QString("180"));
        QCOMPARE(t.doc.Get(u"bg_interval"), std::u16string(u"180"));
        QVERIFY(!t.doc.IsModified());
    }
    // At most four digits reach the field.
    t.Type(interval, 1, "36000");
    QCOMPARE(t.doc.Get(u"bg_interval"), std::u16string(u"3600"));
    t.Type(interval, 1, "60");
    QCOMPARE(t.Text(interval), QString("60"));
    QCOMPARE(t.doc.Get(u"bg_interval"), std::u16string(u"60"));
    QVERIFY(t.doc.IsModified());
    QVERIFY(t.prompts.messages.isEmpty());
    // Switched off: blank and read-only; on again: the stored interval is back.
    t.Choose(sw, 1, T(2500));
    QCOMPARE(t.doc.Get(u"bg_interval_sw"), std::u16string(u"off"));
    QCOMPARE(t.Text(interval), QString());
    QVERIFY(!t.page->IsCellEditable(interval, 1));
    QVERIFY(t.Open(interval) == nullptr);
    t.Choose(sw, 1, T(2501));
    QCOMPARE(t.Text(interval), QString("60"));
    QVERIFY(t.page->IsCellEditable(interval, 1));
    // A document loaded with the switch off shows the row blank without a reselection.
    t.doc.Set(u"bg_interval_sw", u"off");
    t.page->OnDocumentUpdate(kHintLoaded);
    QCOMPARE(t.Text(interval), QString());
}

void LineDisplayPagesTest::outOfServiceChoices() {
    CheckChoices<CListViewNoService>({
        {1, u"no_service_tone", u"", T(2500), T(2501), u"tone1"},
        {1, u"no_service_tone", u"tone1", T(2501), T(2500), u"none"},
        {2, u"ear_sidetone_mute", u"", T(2500), T(2501), u"on"},
    });
}

void LineDisplayPagesTest::displayChoicesAndClockRule() {
    const QString off = T(2500), on = T(2501);
    CheckChoices<CListViewDispView>({
        {4, u"lcd_dest_mode", u"", off, T(9214), u"all"},
        {5, u"keylock_release_vol_act", u"", on, off, u"off"},
        {7, u"talkgrp_sel", u"", T(9224), T(9225), u"idlist"},
        {8, u"simsel", u"", off, on, u"on"},
        {13, u"backlight", u"", T(9270), T(9269), u"off"},
        {14, u"brightness", u"", T(9216), T(9215), u"dark"},
        {15, u"contrast", u"", "8", "16", u"16"},
        {16, u"disp_set_chg", u"", off, on, u"on"},
    });
    PageUnderTest<CListViewDispView> t;
    const int item = 2, clock = 12;
    QCOMPARE(t.ComboItems(15).size(), 16);
    // With the date on the standby screen the clock row is blank and read-only.
    QCOMPARE(t.Text(item), T(9210));
    QCOMPARE(t.Text(clock), QString());
    QVERIFY(!t.page->IsCellEditable(clock, 1));
    t.Choose(item, 1, T(9211));
    QCOMPARE(t.doc.Get(u"disp_item"), std::u16string(u"name"));
    QCOMPARE(t.Text(clock), on);
    t.Choose(clock, 1, off);
    QCOMPARE(t.doc.Get(u"disp_clock"), std::u16string(u"off"));
    t.Choose(item, 1, T(9210));
    QCOMPARE(t.Text(clock), QString());
    QCOMPARE(t.doc.Get(u"disp_clock"), std::u16string(u"off"));
}

void LineDisplayPagesTest::displayTexts() {
    struct Case {
        int row;
        std::u16string key;
        QString typed;
        std::u16string stored;  // after the edit; the previous value "old" when refused
        bool refused;
    };
    const QString kanji10 = QString::fromUtf8("日本語の表示名です長い");
    const std::vector<Case> cases = {
        {1, u"startup_comment", "Good morning, team!", u"Good morning, team", false},  // 18 columns
        {1, u"startup_comment", kanji10, U(kanji10.left(9)), false},         // full-width: two columns each
        {1, u"startup_comment", QString::fromUtf8("Unit ①"), u"old", true},  // not a JIS character
        {3, u"disp_name", QString(40, 'n'), std::u16string(31, u'n'), false},
        {3, u"disp_name", QString::fromUtf8("Team Ⅰ"), u"old", true},
        {3, u"disp_name", "", u"", false},
    };
    for (const Case& c : cases) {
        PageUnderTest<CListViewDispView> t([&](CTalveroDoc& doc) { doc.Set(c.key, u"old"); });
        t.Type(c.row, 1, c.typed);
        QCOMPARE(t.doc.Get(c.key), c.stored);
        QCOMPARE(t.Text(c.row), QString::fromStdU16String(c.stored));
        QCOMPARE(t.doc.IsModified(), !c.refused);
        QCOMPARE(t.prompts.messages, c.refused ? QStringList{T(430)} : QStringList{});
    }
}

void LineDisplayPagesTest::accessPassword() {
    PageUnderTest<CListViewSecurityPass> t([](CTalveroDoc& doc) { doc.Set(u"access_pass", u"abcde"); });
    QCOMPARE(t.Text(1), QString("*****"));
    auto* edit = qobject_cast<QLineEdit*>(t.Open(1));
    QVERIFY(edit != nullptr);
    QCOMPARE(edit->text(), QString("abcde"));
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QTest::keyClick(edit, Qt::Key_Escape);
    QVERIFY(!t.doc.IsModified());
    // Printable ASCII only, at most 16 characters; the cell shows one star per character.
    t.Type(1, 1, QString::fromUtf8("päss w~rd!0123456789"));
    QCOMPARE(t.doc.Get(u"access_pass"), std::u16string(u"pss w~rd!0123456"));
    QCOMPARE(t.Text(1), QString(16, '*'));
    QVERIFY(t.doc.IsModified());
    t.Type(1, 1, "");
    QCOMPARE(t.doc.Get(u"access_pass"), std::u16string());
    QCOMPARE(t.Text(1), QString());
    QVERIFY(t.prompts.messages.isEmpty());
}

void LineDisplayPagesTest::permissionFlags() {
    const QString no = T(2585), yes = T(2586);
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
            QCOMPARE(t.Text(row, 1), c.low);
            QCOMPARE(t.Text(row, 2), c.high);
            t.Choose(row, c.column, c.chosen);
            QCOMPARE(t.doc.Get(key), c.after);
            QCOMPARE(t.doc.IsModified(), c.after != c.stored);
            QCOMPARE(t.Text(row, c.column), c.chosen);
            QCOMPARE(AfterFileRoundTrip(t.doc, key), c.after);
            // The cells are a view of the document: a refresh shows what the edit left.
            t.page->RefreshFromDocument();
            QCOMPARE(t.Text(row, c.column), c.chosen);
            QCOMPARE(t.Text(row, 3 - c.column), 3 - c.column == 1 ? c.low : c.high);
        }
    }
}

void LineDisplayPagesTest::permissionLayout() {
    PageUnderTest<CListViewMaintenanceSetMode> t;
    QCOMPARE(t.page->GetItemCount(), 82);
    QCOMPARE(t.page->GetColumnCount(), 3);
    QCOMPARE(t.page->GetItemText(1, 1), T(9503));
    QCOMPARE(t.page->GetItemText(1, 2), T(9504));
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
        QCOMPARE(t.page->GetItemText(r.row, 0), T(r.label));
        QTest::mouseClick(t.page->viewport(), Qt::LeftButton, {}, t.Cell(r.row, 0));
        QVERIFY2(t.page->GetHelpUrl().endsWith("::/" + r.help), qPrintable(t.page->GetHelpUrl()));
    }
    // Defaults: "3" for the Bluetooth item, "0" for GPS, "2" for reset.
    QCOMPARE(t.Text(kBluetoothRow, 1), T(2586));
    QCOMPARE(t.Text(60, 2), T(2585));
    QCOMPARE(t.Text(kResetRow, 2), T(2586));
    // The reset item's low flag is shown but opens no editor; its high flag opens the two choices.
    QVERIFY(!t.page->IsCellEditable(kResetRow, 1));
    QCOMPARE(t.Text(kResetRow, 1), T(2585));
    QVERIFY(t.Open(kResetRow, 1) == nullptr);
    QCOMPARE(t.ComboItems(kResetRow, 2), QStringList({T(2585), T(2586)}));
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
    QCOMPARE(t.Text(1), iccid);
    QCOMPARE(t.Text(3), QString("00042"));

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
    QInputMethodEvent composed;
    composed.setCommitString("99");
    QCoreApplication::sendEvent(edit, &composed);
    QCOMPARE(edit->text(), iccid);
    // A part of the number can be selected and copied.
    edit->setSelection(0, 4);
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("8981"));
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(t.page->GetEditor() == nullptr);
    QCOMPARE(t.Text(1), iccid);
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
