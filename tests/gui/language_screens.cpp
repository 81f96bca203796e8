// Pictures of the program in the language that TALVERO_LANG or the locale selects, taken from
// the X server it runs on (see language_screens.sh): the main window with a settings page, with
// the ID list and with the whole tree open, the port list, the question before a write, the progress window
// halfway through the write, and the messages after it and after a failed read. Every message box and dialog
// is the real one, answered by a watcher once it has been drawn. Not a test: people look at the pictures for
// cut-off texts and missing glyphs.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHash>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <stdexcept>

#include "gui/dialogs/dlg_cloning.h"
#include "gui/dialogs/dlg_com_list.h"
#include "gui/shell/command_table.h"
#include "gui/shell/left_view.h"
#include "gui/shell/radio_controller.h"
#include "gui/shell/talvero_app.h"
#include "gui/shell/user_prompts.h"
#include "gui_support.h"
#include "platform/language_id.h"
#include "radio_simulator.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

bool Save(QWidget* window, const QString& path) {
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    const bool ok = shot.save(path);
    // Without a window manager the pictures have no title bar: the title is printed instead.
    std::printf("%s %s (title: %s)\n", ok ? "wrote" : "could not write", qPrintable(path),
                qPrintable(window->windowTitle()));
    return ok;
}

// Saves each dialog once it has been on screen for a moment, then answers it the way that lets
// the command go on: Yes to a question, No to "save the changes?", OK to a report, and closes
// the port list.
class DialogWatcher : public QObject {
  public:
    explicit DialogWatcher(QString folder) : m_folder(std::move(folder)) {
        connect(&m_timer, &QTimer::timeout, this, [this] { Look(); });
        m_timer.start(20);
    }
    void ExpectBox(const QString& name) { m_boxNames << name; }
    bool ok = true;

  private:
    bool Drawn(QWidget* w) {
        auto it = m_seen.find(w);
        if (it == m_seen.end()) {
            m_seen[w].start();
            return false;
        }
        return it->elapsed() > 300;
    }
    void Look() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible()) {
                continue;
            }
            if (auto* box = qobject_cast<QMessageBox*>(w); box && Drawn(box)) {
                const QString name =
                    m_boxNames.isEmpty() ? QString("message_%1").arg(++m_extra) : m_boxNames.takeFirst();
                ok = Save(box, m_folder + "/" + name + ".png") && ok;
                m_seen.remove(box);
                QAbstractButton* answer = box->button(QMessageBox::Cancel) && box->button(QMessageBox::No)
                                              ? box->button(QMessageBox::No)
                                              : box->button(QMessageBox::Yes);
                (answer ? answer : box->button(QMessageBox::Ok))->click();
                return;
            }
            if (auto* ports = qobject_cast<CDlgComList*>(w); ports && Drawn(ports)) {
                ok = Save(ports, m_folder + "/port_list.png") && ok;
                m_seen.remove(ports);
                ports->reject();
                return;
            }
            if (auto* progress = qobject_cast<CDlgCloning*>(w); progress && !m_progressSaved) {
                const QProgressBar* bar = progress->ProgressBar();
                if (bar->maximum() > 3 && bar->value() * 3 >= bar->maximum() &&
                    bar->value() < bar->maximum()) {
                    m_progressSaved = Save(progress, m_folder + "/progress.png");
                    ok = m_progressSaved && ok;
                }
            }
        }
    }

    QString m_folder;
    QTimer m_timer;
    QHash<QWidget*, QElapsedTimer> m_seen;
    QStringList m_boxNames;
    int m_extra = 0;
    bool m_progressSaved = false;
};

void ShowPage(CMainFrame* frame, uint32_t node) {
    frame->LeftView()->setCurrentItem(frame->TreeItems().at(node));
    QTest::qWait(300);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(folder);
    TestEnvironment env;
    ClearLanguageTexts();
    SelectLanguageFiles(
        (BinDir() + "/talvero").toStdString(), SystemDefaultLanguageId(),
        [](uint32_t code, const std::string& path) {
            throw std::runtime_error("language file " + path + " failed with " + std::to_string(code));
        });
    InstallQtTranslations();

    // A radio that holds the defaults, paced like a real line so the write takes a few seconds.
    RadioSimOptions options;
    CTalveroDoc source;
    source.OnNewDocument();
    std::vector<std::u16string> lines;
    source.RenderSettings(lines, false);
    options.configText = CloneTextOfLines(lines);
    RadioSimulator sim(options);
    std::string error;
    if (!sim.Start(error)) {
        std::fprintf(stderr, "simulated radio: %s\n", error.c_str());
        return 1;
    }

    FrameUnderTest t;
    CTalveroDoc& doc = t.document;
    const char16_t* names[][4] = {{u"indi", u"101", u"指令台", u"ｼﾚｲﾀﾞｲ"},
                                  {u"group", u"2000", u"全車両", u"ｾﾞﾝｼｬﾘｮｳ"},
                                  {u"user_group", u"3100", u"北営業所", u"ｷﾀ"},
                                  {u"tel", u"1", u"夜間窓口", u""}};
    unsigned index = 0;
    for (const auto& e : names) {
        doc.Set(u"id_type", index, e[0]);
        doc.Set(u"id", index, e[1]);
        doc.Set(u"number", index, u"0312345678#");
        doc.Set(u"name", index, e[2]);
        doc.Set(u"yomi", index, e[3]);
        ++index;
    }
    doc.UpdateAllViews(0);
    t.frame->Radio().SetPort(sim.Path());
    t.frame->Radio().SetSpeed(115200);
    t.frame->resize(1000, 680);
    t.frame->show();
    if (!QTest::qWaitForWindowExposed(t.frame.get())) {
        return 1;
    }
    bool ok = true;
    ShowPage(t.frame.get(), 1020);
    ok = Save(t.frame.get(), folder + "/main_window_page.png") && ok;
    ShowPage(t.frame.get(), 1021);
    ok = Save(t.frame.get(), folder + "/main_window_id_list.png") && ok;
    t.frame->LeftView()->expandAll();
    QTest::qWait(300);
    ok = Save(t.frame.get(), folder + "/main_window_tree.png") && ok;

    SetUserPrompts(nullptr);  // the program's own message boxes and dialogs
    DialogWatcher watcher(folder);
    t.frame->ExecuteCommand(ID_COM_MORE);
    watcher.ExpectBox("question_write");
    watcher.ExpectBox("report_written");
    t.frame->ExecuteCommand(ID_CLONE_WRITE);
    watcher.ExpectBox("question_save_changes");
    watcher.ExpectBox("error_no_radio");
    t.frame->Radio().SetPort("/dev/talvero-no-such-port");
    t.frame->ExecuteCommand(ID_CLONE_READ);
    return ok && watcher.ok ? 0 : 1;
}
