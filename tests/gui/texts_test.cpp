// Nothing the program shows may read "ID_<n>": every text it asks for is in the English file.
#include <QFile>
#include <QTest>

#include "gui/dialogs/dlg_import_warning.h"
#include "gui/editor/k_grid_list_view.h"
#include "gui/shell/command_table.h"
#include "gui/shell/dlg_about.h"
#include "gui/shell/file_controller.h"
#include "gui/shell/help_window.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "pages/node_table.h"
#include "text/language_texts.h"

namespace {

QStringList WithIdTexts(const QStringList& texts) {
    QStringList found;
    for (const QString& text : texts) {
        if (text.contains("ID_")) {
            found << text;
        }
    }
    return found;
}

}  // namespace

class TextsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { UseLanguage(true); }

    void everyWindowIsFullyWorded() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        QStringList shown;
        prompts.onDialog = [&](QDialog* d) {
            d->show();
            shown << ShownTexts(d);
            return int(QDialog::Accepted);
        };
        FrameUnderTest t;
        t.frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.frame.get()));
        shown << ShownTexts(t.frame.get());

        // Dialogs and prompts the frame can show.
        t.frame->ExecuteCommand(ID_APP_ABOUT);
        t.frame->ExecuteCommand(ID_HELP_CONTENTS);
        shown << ShownTexts(t.frame->HelpWindow());
        const QString wide = env.Path("wide.ini");
        WriteConfigFile(wide, {"name_01_01=" + QString(40, u'A'), "msg_01_02=" + QString(40, u'B'),
                               "stat_01_03=" + QString(40, u'C')});
        QVERIFY(t.frame->OpenDocumentFile(wide));
        const QString broken = env.Path("broken.ini");
        WriteConfigFile(broken, {"id_01_01=0"});
        QVERIFY(!t.frame->OpenDocumentFile(broken));
        QVERIFY(!t.frame->OpenDocumentFile(env.Path("absent.ini")));
        t.frame->Document()->Set(u"disp_item", u"name");
        prompts.saveName = env.Path("missing folder/x.ini");
        prompts.answers = {IUserPrompts::Answer::Yes};
        QVERIFY(!t.frame->Files().OnFileNew());  // asks to save, and the save fails
        shown << prompts.messages << prompts.filters;
        QCOMPARE(prompts.dialogs, (QStringList{"CDlgAbout", "CDlgImportWarning"}));
        QCOMPARE(prompts.messages.size(), 4);

        const QStringList bad = WithIdTexts(shown);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(" | ")));
    }

    // Texts asked for by nodes and commands that may not be on screen in this build (pages that
    // arrive later, menu items removed at start-up).
    void everyTextIdTheShellAsksForExists() {
        QList<uint32_t> missing;
        for (const NodeRow& row : NodeTable()) {
            if (row.captionId && !HasLanguageText(row.captionId)) {
                missing << row.captionId;
            }
        }
        for (const MenuEntry& entry : MainMenuEntries()) {
            if (entry.kind == MenuEntry::Kind::Item) {
                for (uint32_t id : {entry.id, kMenuTextBase + entry.id}) {
                    if (!HasLanguageText(id)) {
                        missing << id;
                    }
                }
            }
        }
        for (const PopupText& popup : PopupTexts()) {
            if (!HasLanguageText(popup.textId)) {
                missing << popup.textId;
            }
        }
        for (uint32_t id :
             {400u,  401u,  100u,  101u,  102u,  2010u, 2015u, 57345u, 59137u, 59138u, 59139u, 2149u,
              2150u, 2151u, 2152u, 2155u, 2156u, 2157u, 2158u, 2159u,  2160u,  2110u,  2111u}) {
            if (!HasLanguageText(id)) {
                missing << id;
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QString("missing: %1").arg([&] {
                     QStringList s;
                     for (uint32_t id : missing)
                         s << QString::number(id);
                     return s.join(", ");
                 }())));
    }
};

static GuiTestRegistration<TextsTest> g_textsTest;

#include "texts_test.moc"
