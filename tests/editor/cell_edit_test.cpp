// The in-place text editor: the four length measures, allowed characters, key repeat, the
// truncating paste, the ASCII-only paste, Escape against Enter, the password character and the
// detached input method.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <memory>

#include "demo_grid.h"
#include "editor_tests.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "test_events.h"

namespace {

const QString kDigits = "0123456789";

}  // namespace
Q_DECLARE_METATYPE(EditLimits)

namespace {

// Opens the editor over a one-cell grid holding `text`; `keepSelection` false moves the caret
// to the end first.
struct EditFixture {
    DemoGrid grid;
    KGridListCtrlEdit* edit = nullptr;

    EditFixture(const EditLimits& limits, const QString& text, bool keepSelection = true,
                char16_t password = 0) {
        grid.resize(400, 200);
        grid.Build(2, 2, 150);
        grid.SetupHeader();
        DemoGrid::CellEditor editor;
        editor.passwordChar = password;
        editor.configure = [limits](KGridListCtrlEdit& e) {
            e.SetLimits(limits);
            if (limits.m_asciiOnly != 0) {
                e.DetachInputMethod();
            }
        };
        grid.MakeEditable(1, 1, text, editor);
        grid.show();
        grid.activateWindow();
        (void)QTest::qWaitForWindowActive(&grid);
        std::vector<QRect> rects;
        grid.GetColumnRects(1, &rects);
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, rects[1].center());
        edit = qobject_cast<KGridListCtrlEdit*>(grid.GetEditor());
        if (edit != nullptr && !keepSelection) {
            QTest::keyClick(edit, Qt::Key_End);
        }
    }
};

// Limits with one field set.
EditLimits With(int EditLimits::*field, int value) {
    EditLimits l;
    l.*field = value;
    return l;
}

EditLimits Chars(int n) {
    return With(&EditLimits::m_maxChars, n);
}

EditLimits Digits() {
    EditLimits l;
    l.m_allowedChars = kDigits;
    return l;
}

}  // namespace

class CellEditTest : public QObject {
    Q_OBJECT
  private slots:
    void typing_data();
    void typing();
    void keyRepeatObeysLimit();
    void paste_data();
    void paste();
    void initialTextIsKept();
    void escapeEnterTab();
    void passwordCharacter();
    void detachedInputMethodTakesNoComposition();
};

void CellEditTest::typing_data() {
    QTest::addColumn<EditLimits>("limits");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<bool>("keepSelection");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const EditLimits digits = Digits();
    const EditLimits ansi = With(&EditLimits::m_maxAnsiBytes, 4);
    const EditLimits utf8 = With(&EditLimits::m_maxUtf8Bytes, 4);
    const EditLimits width = With(&EditLimits::m_maxWidth, 4);
    EditLimits first;  // only the first non-zero limit counts
    first.m_maxChars = 3;
    first.m_maxWidth = 1;
    // clang-format off
    QTest::newRow("full field, no selection")   << Chars(5) << "12345" << false << "6"      << "12345";
    QTest::newRow("selection replaced")          << Chars(5) << "12345" << true  << "6"      << "6";
    QTest::newRow("up to the limit")             << Chars(5) << ""      << true  << "abcdefg" << "abcde";
    QTest::newRow("digits only")                 << digits   << ""      << true  << "1a2b 3" << "123";
    QTest::newRow("ansi bytes")                  << ansi     << ""      << true  << u"ａｂc"_qs << u"ａｂ"_qs;
    QTest::newRow("ansi bytes mixed")            << ansi     << ""      << true  << u"aａbc"_qs << u"aａb"_qs;
    QTest::newRow("utf-8 bytes")                 << utf8     << ""      << true  << u"ééa"_qs << u"éé"_qs;
    QTest::newRow("display width")               << width    << ""      << true  << u"ａa1b"_qs << u"ａa1"_qs;
    QTest::newRow("display width full-width")    << width    << ""      << true  << u"ａｂｃ"_qs << u"ａｂ"_qs;
    QTest::newRow("first limit wins")            << first    << ""      << true  << "abcd"   << "abc";
    // clang-format on
}

void CellEditTest::typing() {
    QFETCH(EditLimits, limits);
    QFETCH(QString, initial);
    QFETCH(bool, keepSelection);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    EditFixture f(limits, initial, keepSelection);
    QVERIFY(f.edit != nullptr);
    TypeText(f.edit, typed);
    QCOMPARE(f.edit->text(), expected);
}

void CellEditTest::keyRepeatObeysLimit() {
    EditFixture f(Chars(5), "1234", false);
    // Two characters of one fast key repeat: the second is measured like the first.
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "77", true, 2);
    QApplication::sendEvent(f.edit, &repeat);
    QCOMPARE(f.edit->text(), QString("12347"));
    // A selection of one character is replaced even in a full field.
    QTest::keyClick(f.edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(f.edit, Qt::Key_9);
    QCOMPARE(f.edit->text(), QString("12349"));
}

void CellEditTest::paste_data() {
    QTest::addColumn<EditLimits>("limits");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<bool>("keepSelection");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    const EditLimits ascii = With(&EditLimits::m_asciiOnly, 1);
    const EditLimits digits = Digits();
    const EditLimits width = With(&EditLimits::m_maxWidth, 4);
    const EditLimits ansi = With(&EditLimits::m_maxAnsiBytes, 5);
    const EditLimits utf8 = With(&EditLimits::m_maxUtf8Bytes, 4);
    // clang-format off
    QTest::newRow("cut to 5 code units")     << Chars(5) << ""     << true  << "12345678" << "12345" << 5;
    QTest::newRow("full field takes none")   << Chars(5) << "12345" << false << "ab"      << "12345" << 5;
    QTest::newRow("into the middle")         << Chars(5) << "123"  << false << "abcd"     << "123ab" << 5;
    QTest::newRow("ascii only refuses")      << ascii    << "x"    << false << u"abcé"_qs << "x"     << 1;
    QTest::newRow("ascii only accepts")      << ascii    << "x"    << false << "abc"      << "xabc"  << 4;
    QTest::newRow("filtered after paste")    << digits   << ""     << true  << "12a3"     << "123"   << 3;
    QTest::newRow("width fits two")          << width    << ""     << true  << u"ＡＢ"_qs << u"ＡＢ"_qs << 2;
    QTest::newRow("width full")              << width    << u"ＡＢ"_qs << false << u"Ｃ"_qs << u"ＡＢ"_qs << 2;
    QTest::newRow("ansi bytes cut")          << ansi     << ""     << true  << u"ａｂｃ"_qs << u"ａｂ"_qs << 2;
    QTest::newRow("utf-8 keeps pairs whole") << utf8     << ""     << true  << u"a😀"_qs  << "a"     << 1;
    QTest::newRow("code units keep pairs")   << Chars(2) << ""     << true  << u"a😀"_qs  << "a"     << 1;
    // clang-format on
}

void CellEditTest::paste() {
    QFETCH(EditLimits, limits);
    QFETCH(QString, initial);
    QFETCH(bool, keepSelection);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    EditFixture f(limits, initial, keepSelection);
    if (QTest::currentDataTag() == QByteArray("into the middle")) {
        QTest::keyClick(f.edit, Qt::Key_Home);
        QTest::keyClick(f.edit, Qt::Key_Right);
        QTest::keyClick(f.edit, Qt::Key_Right);
        QTest::keyClick(f.edit, Qt::Key_Right);
    }
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(f.edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.edit->text(), expected);
    QCOMPARE(f.edit->cursorPosition(), caret);
}

void CellEditTest::initialTextIsKept() {
    // The editor opens on the cell's text as it is; the allowed set holds only for what is typed.
    for (const int key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab}) {
        EditFixture f(Digits(), "1-2-3");
        QCOMPARE(f.edit->text(), QString("1-2-3"));
        QTest::keyClick(f.edit, static_cast<Qt::Key>(key));
        QVERIFY(f.grid.m_records.empty());
        QCOMPARE(f.grid.GetItemText(1, 1), QString("1-2-3"));
    }
    EditFixture f(Digits(), "1-2-3", false);
    TypeText(f.edit, "4x");
    QCOMPARE(f.edit->text(), QString("1-2-34"));
    QTest::keyClick(f.edit, Qt::Key_Return);
    QCOMPARE(f.grid.m_records.size(), size_t{1});
    QCOMPARE(f.grid.m_records[0].text, QString("1-2-34"));
}

void CellEditTest::escapeEnterTab() {
    {
        EditFixture f({}, "old");
        QTest::keyClicks(f.edit, "new");
        QTest::keyClick(f.edit, Qt::Key_Escape);
        QVERIFY(f.grid.GetEditor() == nullptr);
        QVERIFY(f.grid.m_records.empty());
        QCOMPARE(f.grid.GetItemText(1, 1), QString("old"));
    }
    {
        EditFixture f({}, "old");
        QTest::keyClicks(f.edit, "new");
        QTest::keyClick(f.edit, Qt::Key_Return);
        QVERIFY(f.grid.GetEditor() == nullptr);
        QCOMPARE(f.grid.m_records.size(), size_t{1});
        QCOMPARE(f.grid.m_records[0].mask, KGridListView::kItemText);
        QCOMPARE(f.grid.m_records[0].row, 1);
        QCOMPARE(f.grid.m_records[0].column, 1);
        QCOMPARE(f.grid.GetItemText(1, 1), QString("new"));
    }
    {
        // Typing the initial text back is no change.
        EditFixture f({}, "old");
        QTest::keyClicks(f.edit, "old");
        QTest::keyClick(f.edit, Qt::Key_Return);
        QVERIFY(f.grid.GetEditor() == nullptr);
        QVERIFY(f.grid.m_records.empty());
    }
    {
        EditFixture f({}, "old");
        QTest::keyClicks(f.edit, "tab");
        QTest::keyClick(f.edit, Qt::Key_Tab);
        QVERIFY(f.grid.GetEditor() == nullptr);
        QCOMPARE(f.grid.m_records.size(), size_t{1});
        QCOMPARE(f.grid.m_records[0].text, QString("tab"));
        QCOMPARE(f.grid.GetCurrentColumn(), 1);  // Tab ended the edit and moved nothing
    }
}

void CellEditTest::passwordCharacter() {
    EditFixture f({}, "", true, u'●');
    QTest::keyClicks(f.edit, "abc");
    QCOMPARE(f.edit->text(), QString("abc"));
    QCOMPARE(f.edit->displayText(), QString(u"●●●"_qs));
}

void CellEditTest::detachedInputMethodTakesNoComposition() {
    EditLimits number = Digits();
    number.m_maxChars = 5;
    number.m_asciiOnly = 1;
    EditFixture f(number, "");
    QVERIFY(!f.edit->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodEvent compose(u"１２"_qs, {});
    QApplication::sendEvent(f.edit, &compose);
    QInputMethodEvent commit;
    commit.setCommitString("12");
    QApplication::sendEvent(f.edit, &commit);
    QCOMPARE(f.edit->text(), QString());
    QCOMPARE(f.edit->displayText(), QString());

    // Where composition is allowed, committed text still obeys the limit.
    EditFixture names(Chars(2), "");
    QInputMethodEvent commitName;
    commitName.setCommitString(u"あいう"_qs);
    QApplication::sendEvent(names.edit, &commitName);
    QCOMPARE(names.edit->text(), QString(u"あい"_qs));
}

static EditorTestRegistration<CellEditTest> registration;
#include "cell_edit_test.moc"
