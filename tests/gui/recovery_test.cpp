// Crash recovery through a real crash: a child copy of this test program opens a file, edits a
// setting and waits until the copy of its changes exists; the test kills it (SIGKILL, nothing
// runs after it) and a new window offers the changes. Restored, they are the document's again,
// still unsaved; declined, the copy is gone. Saving and a clean exit leave nothing behind.
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "document/recovery_store.h"
#include "gui/shell/command_table.h"
#include "gui/shell/recovery_controller.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "text/language_texts.h"

namespace {

// The child: the file named in TALVERO_RECOVERY_FILE opened and edited, "ready" once the copy
// exists, then alive until killed. Other exit statuses say what went wrong.
int RecoveryChild() {
    UseLanguage(true);
    TestEnvironment env;
    ScriptedPrompts prompts;
    TestPages pages({1037});
    FrameUnderTest t;
    if (!t.frame->OpenDocumentFile(qEnvironmentVariable("TALVERO_RECOVERY_FILE"))) {
        return 2;
    }
    if (!t.document.Set(u"disp_item", u"date")) {
        return 4;
    }
    for (int waited = 0; !t.frame->Recovery().HasCopy(); waited += 10) {
        if (waited > 20000) {
            return 3;
        }
        QTest::qWait(10);
    }
    std::puts("ready");
    std::fflush(stdout);
    for (;;) {
        QTest::qWait(1000);
    }
}

const GuiChildModeRegistration kChild("recovery", RecoveryChild);

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(m_state.isValid());
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
        qputenv("TALVERO_AUTOSAVE_SECONDS", "0.05");
    }
    void cleanupTestCase() {
        qunsetenv("XDG_STATE_HOME");
        qunsetenv("TALVERO_AUTOSAVE_SECONDS");
    }
    void init() { UseLanguage(true); }

    void killedProgramsChangesAreOffered_data() {
        QTest::addColumn<bool>("restore");
        QTest::newRow("restored") << true;
        QTest::newRow("declined") << false;
    }
    void killedProgramsChangesAreOffered() {
        QFETCH(bool, restore);
        TestEnvironment env;
        const QString path = env.Path("radio.ini");
        WriteConfigFile(path, {"disp_item_01=name"});
        KillEditingChild(path);

        ScriptedPrompts prompts;
        prompts.answers = {restore ? IUserPrompts::Answer::Yes : IUserPrompts::Answer::No};
        TestPages pages({1037});
        FrameUnderTest t;
        t.frame->OfferRecovery();
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages[0].startsWith("Talvero ended without saving the changes to " + path),
                 qPrintable(prompts.messages[0]));
        QCOMPARE(prompts.icons, QList<IUserPrompts::Icon>{IUserPrompts::Icon::Question});
        if (restore) {
            QCOMPARE(QString::fromStdU16String(t.document.Get(u"disp_item")), QString("date"));
            QVERIFY(t.document.IsModified());
            QCOMPARE(QString::fromStdString(t.document.GetPathName()), path);
            QCOMPARE(t.frame->windowTitle(), QString("radio.ini[*] - Talvero #11"));
        } else {
            QVERIFY(!t.document.IsModified());
            QVERIFY(t.document.GetPathName().empty());
        }
        // Offered once: restored or declined, the copy is gone.
        QVERIFY(RecoveryStore(m_state.path().toStdString() + "/Talvero/recovery").FindLeftBehind().empty());
        // The restored changes are this window's to keep now; a window that goes away without
        // closing (as here) keeps them for the next start, which the tests after this do not want.
        t.frame->Recovery().Discard();
    }

    // The copy lives only while there are unsaved changes.
    void savedOrClosedLeavesNoCopy_data() {
        QTest::addColumn<bool>("save");
        QTest::newRow("saved") << true;
        QTest::newRow("closed without saving") << false;
    }
    void savedOrClosedLeavesNoCopy() {
        QFETCH(bool, save);
        TestEnvironment env;
        ScriptedPrompts prompts;
        prompts.saveName = env.Path("saved.ini");
        prompts.answers = {IUserPrompts::Answer::No};  // close: do not save
        {
            TestPages pages({1037});
            FrameUnderTest t;
            t.frame->show();
            QVERIFY(t.document.Set(u"disp_item", u"name"));
            QTRY_VERIFY_WITH_TIMEOUT(t.frame->Recovery().HasCopy(), 5000);
            if (save) {
                t.frame->ExecuteCommand(ID_FILE_SAVE);
                QVERIFY(!t.document.IsModified());
                QVERIFY(!t.frame->Recovery().HasCopy());
            } else {
                QVERIFY(t.frame->close());
            }
        }
        QVERIFY(RecoveryStore(m_state.path().toStdString() + "/Talvero/recovery").FindLeftBehind().empty());
    }

  private:
    // Runs the child on `path` until its copy exists, then kills it.
    void KillEditingChild(const QString& path) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("TALVERO_TEST_CHILD", "recovery");
        environment.insert("TALVERO_RECOVERY_FILE", path);
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(child.waitForStarted());
        QByteArray said;
        while (!said.contains("ready") && child.state() == QProcess::Running) {
            child.waitForReadyRead(200);
            said += child.readAllStandardOutput();
        }
        QVERIFY2(said.contains("ready"), said.constData());
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    }

    QTemporaryDir m_state;
};

namespace {
const GuiTestRegistration<RecoveryTest> kRegistration;
}

#include "recovery_test.moc"
