// The file commands of the frame: open (refresh, path pane, refusals), the warning list after a
// load, the save-changes prompt, save and save as, recent files.
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>

#include "document/config_file.h"
#include "gui/dialogs/dlg_import_warning.h"
#include "gui/shell/command_table.h"
#include "gui/shell/file_controller.h"
#include "gui/shell/left_view.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "platform/code_page.h"
#include "text/language_texts.h"

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class FileTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }

    void openRefreshesPagesAndShowsThePath() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        TestPages pages({1037});
        FrameUnderTest t;
        t.frame->LeftView()->setCurrentItem(t.frame->TreeItems().at(1037));
        auto* page = static_cast<TestPage*>(t.frame->PageViews().at(1037));
        QCOMPARE(page->m_value->text(), QString("date"));

        const QString path = env.Path("radio one.ini");
        WriteConfigFile(path, {"disp_item_01=name"});
        prompts.openName = path;
        t.frame->ExecuteCommand(ID_FILE_OPEN);
        QCOMPARE(page->m_value->text(), QString("name"));
        QCOMPARE(t.frame->PathPaneText(), path);
        QCOMPARE(t.frame->StatusBar()->Pane(1)->toolTip(), path);
        QVERIFY(t.frame->StatusBar()->Pane(1)->isVisibleTo(t.frame.get()));
        QCOMPARE(t.frame->windowTitle(), QString("radio one.ini[*] - Talvero #11"));
        QCOMPARE(t.frame->Files().RecentFiles(), QStringList{path});
        QCOMPARE(QSettings().value("Recent File List/File1").toString(), path);
        QVERIFY(!t.frame->Document()->IsModified());
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(prompts.dialogs.isEmpty());  // a load without warnings shows no list
        QVERIFY(prompts.filters.front().contains("*.ini"));
    }

    void refusedFilesAreReported_data() {
        QTest::addColumn<QString>("content");  // empty: the file does not exist
        QTest::addColumn<bool>("keepsDocument");
        QTest::newRow("not a configuration") << "hello" << false;
        QTest::newRow("LF-only line ends") << "LF" << false;
        QTest::newRow("refused ID list entry") << "id_01_03=70000" << false;
        QTest::newRow("cannot be opened") << "" << true;
    }
    void refusedFilesAreReported() {
        QFETCH(QString, content);
        QFETCH(bool, keepsDocument);
        TestEnvironment env;
        ScriptedPrompts prompts;
        TestPages pages({1037});
        FrameUnderTest t;
        t.frame->LeftView()->setCurrentItem(t.frame->TreeItems().at(1037));
        auto* page = static_cast<TestPage*>(t.frame->PageViews().at(1037));
        t.frame->Document()->Set(u"disp_item", u"name");
        prompts.answers = {IUserPrompts::Answer::No};  // do not save the changed document

        const QString path = env.Path("broken.ini");
        if (content == "LF") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(";{499D5724-3DB8-45B8-B06D-5E0563C69F20}\n[Config]\ndisp_item_01=name\n");
        } else if (content.startsWith("id_01_")) {
            WriteConfigFile(path, {"disp_item_01=name", content});
        } else if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content.toUtf8());
        }
        prompts.openName = path;
        t.frame->ExecuteCommand(ID_FILE_OPEN);
        QCOMPARE(prompts.messages.size(), 2);  // save-changes prompt, then the open failure
        QVERIFY2(prompts.messages[1].contains("broken.ini"), qPrintable(prompts.messages[1]));
        QVERIFY(!prompts.messages[1].contains("ID_"));
        const QString expected = keepsDocument ? "name" : "date";
        QCOMPARE(QString::fromStdU16String(t.frame->Document()->Get(u"disp_item")), expected);
        if (!keepsDocument) {
            QCOMPARE(page->m_value->text(), expected);  // the pages show the defaults
        }
        QCOMPARE(t.frame->Document()->IsModified(), keepsDocument);
        QCOMPARE(t.frame->PathPaneText(), QString());
        QVERIFY(t.frame->Files().RecentFiles().isEmpty());
    }

    void loadWithWarningsShowsTheList() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        const QString longName(40, u'A');
        const QString path = env.Path("wide.ini");
        WriteConfigFile(path, {"name_01_02=" + longName, "msg_01_01=" + QString(36, u'B')});
        QStringList rows;
        QString column;
        prompts.onDialog = [&](QDialog* d) {
            auto* dialog = static_cast<CDlgImportWarning*>(d);
            for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i) {
                rows << dialog->List()->topLevelItem(i)->text(0);
            }
            column = dialog->List()->headerItem()->text(0);
            return int(QDialog::Accepted);
        };
        QVERIFY(t.frame->OpenDocumentFile(path));
        QCOMPARE(prompts.dialogs, QStringList{"CDlgImportWarning"});
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows.contains("ID list entry 2: the name \"" + longName + "\" was shortened to \"" +
                              QString(32, u'A') + "\"."));
        QCOMPARE(column, QString("Adjusted entry"));
        QCOMPARE(t.frame->PathPaneText(), path);
    }

    // A value its page would refuse is kept as loaded, listed with the load's warnings, and
    // writing it to a radio asks first; No leaves the radio untouched.
    void refusedValuesAreListedAndAskedBeforeWriting() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        const QString ssid(40, u'n');
        const QString path = env.Path("long.ini");
        WriteConfigFile(path, {"wlan_ssid_01=" + ssid});
        QStringList rows;
        prompts.onDialog = [&](QDialog* d) {
            auto* dialog = static_cast<CDlgImportWarning*>(d);
            for (int i = 0; i < dialog->List()->topLevelItemCount(); ++i) {
                rows << dialog->List()->topLevelItem(i)->text(0);
            }
            return int(QDialog::Accepted);
        };
        QVERIFY(t.frame->OpenDocumentFile(path));
        QCOMPARE(prompts.dialogs, QStringList{"CDlgImportWarning"});
        QCOMPARE(rows.size(), 1);
        QVERIFY2(rows[0].startsWith("wlan_ssid_01 (") && rows[0].contains("at most 32 characters"),
                 qPrintable(rows[0]));
        QCOMPARE(t.frame->Document()->Get(u"wlan_ssid"), ssid.toStdU16String());
        prompts.answers = {IUserPrompts::Answer::No};
        t.frame->ExecuteCommand(ID_CLONE_WRITE);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY2(prompts.messages[0].contains("Write it to the radio anyway?"),
                 qPrintable(prompts.messages[0]));
        QCOMPARE(prompts.dialogs.size(), 1);  // no port chooser, no progress: nothing was sent
    }

    void saveChangesPrompt_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("proceeds");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel") << int(IUserPrompts::Answer::Cancel) << false << false;
        QTest::newRow("no") << int(IUserPrompts::Answer::No) << true << false;
        QTest::newRow("yes") << int(IUserPrompts::Answer::Yes) << true << true;
    }
    void saveChangesPrompt() {
        QFETCH(int, answer);
        QFETCH(bool, proceeds);
        QFETCH(bool, saved);
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        t.frame->Document()->Set(u"disp_item", u"name");
        prompts.answers = {static_cast<IUserPrompts::Answer>(answer)};
        prompts.saveName = env.Path("kept.ini");
        QCOMPARE(t.frame->Files().OnFileNew(), proceeds);
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].contains("Untitled"));
        QCOMPARE(prompts.icons[0], IUserPrompts::Icon::Warning);
        QCOMPARE(QString::fromStdU16String(t.frame->Document()->Get(u"disp_item")),
                 proceeds ? QString("date") : QString("name"));
        QCOMPARE(QFile::exists(prompts.saveName), saved);
        if (saved) {
            CTalveroDoc reread;
            QVERIFY(OpenConfigurationFile(reread, prompts.saveName.toStdString()).ok());
            QCOMPARE(QString::fromStdU16String(reread.Get(u"disp_item")), QString("name"));
        }
    }

    void closingAsksToo() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        t.frame->show();
        t.frame->Document()->Set(u"disp_item", u"name");
        prompts.answers = {IUserPrompts::Answer::Cancel};
        QVERIFY(!t.frame->close());
        QVERIFY(t.frame->isVisible());
        prompts.answers = {IUserPrompts::Answer::No};
        QVERIFY(t.frame->close());
    }

    void saveAsWritesTheFileAndMovesThePath() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        t.frame->Document()->Set(u"disp_item", u"name");
        prompts.saveName = env.Path("saved.ini");
        t.frame->ExecuteCommand(ID_FILE_SAVE_AS);
        QVERIFY(prompts.messages.isEmpty());
        QVERIFY(ReadAll(prompts.saveName).startsWith(QByteArray("\xFF\xFE;\0{\0", 6)));
        QVERIFY(!t.frame->Document()->IsModified());
        QCOMPARE(t.frame->PathPaneText(), prompts.saveName);
        QCOMPARE(t.frame->windowTitle(), QString("saved.ini[*] - Talvero #11"));
        QVERIFY(!t.frame->isWindowModified());
        QCOMPARE(t.frame->Files().RecentFiles().front(), prompts.saveName);
        // Save goes to the same file without asking.
        t.frame->Document()->Set(u"disp_item", u"date");
        QTRY_VERIFY(t.frame->isWindowModified());  // the title's marker follows
        prompts.saveName.clear();
        t.frame->ExecuteCommand(ID_FILE_SAVE);
        QVERIFY(!t.frame->Document()->IsModified());
        QVERIFY(prompts.filters.size() == 1);
    }

    void saveFailureKeepsTheModifiedFlag() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        t.frame->Document()->Set(u"disp_item", u"name");
        prompts.saveName = env.Path("no such folder/x.ini");
        QVERIFY(!t.frame->Files().OnFileSaveAs());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.icons[0], IUserPrompts::Icon::Stop);
        QVERIFY(prompts.messages[0].contains("x.ini"));
        QVERIFY(t.frame->Document()->IsModified());
        QCOMPARE(t.frame->PathPaneText(), QString());
    }

    void recentFilesKeepFourAndReopen() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        FrameUnderTest t;
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths << env.Path(QString("r%1.ini").arg(i));
            WriteConfigFile(paths.back(), {QString("disp_item_01=%1").arg(i % 2 ? "name" : "date")});
            QVERIFY(t.frame->OpenDocumentFile(paths.back()));
        }
        QCOMPARE(t.frame->Files().RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
        FrameUnderTest again;  // the list survives a restart
        QCOMPARE(again.frame->Files().RecentFiles(), t.frame->Files().RecentFiles());
    }

    void warningListIsSavedInTheCodePage() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        const std::vector<std::u16string> lines{u"first line", u"名前 cut"};
        CDlgImportWarning dialog(&lines);
        QCOMPARE(dialog.windowTitle(), QString("Adjusted entries"));
        QVERIFY(dialog.SaveListButton()->isDefault());
        QCOMPARE(dialog.CloseButton()->text(), QString("Close"));
        QCOMPARE(dialog.List()->topLevelItemCount(), 2);

        dialog.OnSaveList();  // cancelled: nothing written
        QCOMPARE(prompts.filters.size(), 1);
        QVERIFY(prompts.filters[0].contains("*.txt"));

        prompts.saveName = env.Path("list.txt");
        dialog.OnSaveList();
        const std::string expected = "first line\r\n" + ToAnsi(u"名前 cut") + "\r\n";
        QCOMPARE(ReadAll(prompts.saveName), QByteArray::fromStdString(expected));
    }
};

static GuiTestRegistration<FileTest> g_fileTest;

#include "file_test.moc"
