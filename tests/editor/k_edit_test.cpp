// The dialog field as the password prompts set it up: 16 printable ASCII characters.
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include "editor_tests.h"
#include "gui/editor/k_edit.h"
#include "test_events.h"

namespace {

QString PrintableAscii() {
    QString set;
    for (char16_t ch = u' '; ch <= u'~'; ++ch) {
        set.append(QChar(ch));
    }
    return set;
}

void SetUpPasswordField(KEdit& edit) {
    edit.LiftLengthLimit();
    edit.m_maxChars = 16;
    edit.m_allowedChars = PrintableAscii();
    edit.FilterAllowedChars();
    edit.m_asciiOnly = 1;
    edit.DetachInputMethod();
}

}  // namespace

class KEditTest : public QObject {
    Q_OBJECT
  private slots:
    void passwordField();
    void dropReplacesTextWithPath();
};

void KEditTest::passwordField() {
    KEdit edit;
    edit.setText(u"ab\tcé"_qs);
    SetUpPasswordField(edit);
    QCOMPARE(edit.text(), QString("abc"));
    edit.show();
    edit.setFocus();
    QTest::keyClick(&edit, Qt::Key_End);
    TypeText(&edit, "defghijklmnopqrstuv");
    QCOMPARE(edit.text(), QString("abcdefghijklmnop"));
    // Non-ASCII paste is refused whole.
    QApplication::clipboard()->setText(u"xé"_qs);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("abcdefghijklmnop"));
    // A character outside the allowed set is dropped without taking the selection with it.
    TypeText(&edit, u"é"_qs);
    QCOMPARE(edit.text(), QString("abcdefghijklmnop"));
    QCOMPARE(edit.selectedText(), QString("abcdefghijklmnop"));
    // Ctrl+A selected everything: a typed character replaces it.
    QTest::keyClick(&edit, Qt::Key_Z);
    QCOMPARE(edit.text(), QString("z"));
    // Pasted text is cut to the room left.
    QApplication::clipboard()->setText("0123456789ABCDEFGH");
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit.text(), QString("z0123456789ABCDE"));
    // Enter belongs to the dialog.
    QSignalSpy returns(&edit, &QLineEdit::returnPressed);
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(returns.count(), 1);
    QCOMPARE(edit.text(), QString("z0123456789ABCDE"));
}

void KEditTest::dropReplacesTextWithPath() {
    KEdit edit;
    edit.setAcceptDrops(true);
    edit.setText("old");
    edit.show();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/a.pfx"), QUrl::fromLocalFile("/tmp/b.pfx")});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&edit, &drop);
    QCOMPARE(edit.text(), QString("/tmp/a.pfx"));
}

static EditorTestRegistration<KEditTest> registration;
#include "k_edit_test.moc"
