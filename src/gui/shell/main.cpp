// talvero: the radio configuration program.
//
// talvero [FILE] opens the configuration file FILE, or a new default configuration.
// --help and --version answer on the terminal without opening a window (no display needed).
// --exit-after-first-paint  quits as soon as the main window has been painted once and prints
//                           the time since start and the resident memory (start-up benchmark).
// --screenshots DIR         saves the main window (title page selected) and the about box as
//                           PNG files in DIR, then quits.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <string>

#include <QDir>
#include <QTreeWidget>

#include "gui/shell/dlg_about.h"
#include "gui/shell/left_view.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/talvero_app.h"
#include "platform/language_id.h"
#include "platform/program_path.h"
#include "text/data_file_report.h"

namespace {

const char kUsage[] =
    "usage: talvero [FILE]\n"
    "\n"
    "Reads, edits and writes the configuration of a push-to-talk IP radio over a serial link.\n"
    "Opens the configuration file FILE (.ini), or starts with a new default configuration.\n"
    "\n"
    "options:\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and the language and help files in use, and exit\n"
    "\n"
    "environment:\n"
    "  TALVERO_LANG         language of the texts as a language ID (0x0409 English, 0x0411\n"
    "                       Japanese); by default the one of LC_ALL, LC_MESSAGES or LANG\n"
    "  TALVERO_EXTRA_PORTS  further serial ports to list, separated by colons (for example a\n"
    "                       simulated radio from talvero-radiosim)\n"
    "  TALVERO_CODEPAGE     8-bit code page of the radio's texts (default CP932)\n"
    "\n"
    "The language files (talvero.LANG.lang) and the help file (talvero.chm) are taken from\n"
    "beside the program, or else from the installed share folder (../share/talvero).\n";

// Answers --help and --version; returns true when the program should end.
bool AnsweredOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (a == "--version") {
            std::fputs(DataFileReport("talvero", ProgramFilePath(), SystemDefaultLanguageId()).c_str(),
                       stdout);
            return true;
        }
    }
    return false;
}

long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

class FirstPaintWatcher : public QObject {
  public:
    explicit FirstPaintWatcher(const QElapsedTimer& clock) : m_clock(clock) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, [this] {
                std::printf("first paint after %.1f ms, resident %ld kB\n",
                            static_cast<double>(m_clock.nsecsElapsed()) / 1e6, ResidentKilobytes());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    const QElapsedTimer& m_clock;
    bool m_done = false;
};

bool SaveScreenshots(CMainFrame* frame, const QString& folder) {
    QDir().mkpath(folder);
    frame->LeftView()->setCurrentItem(frame->RootItem());
    QApplication::processEvents();
    bool ok = frame->grab().save(QDir(folder).filePath("main_window.png"));
    CDlgAbout about(frame);
    about.show();
    QApplication::processEvents();
    ok = about.grab().save(QDir(folder).filePath("about_box.png")) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (AnsweredOnTerminal(argc, argv)) {
        return 0;
    }
    QElapsedTimer clock;
    clock.start();
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    const bool benchmark = arguments.contains("--exit-after-first-paint");

    // The program's own options are taken out before the framework looks for a file to open.
    QStringList fileArguments = arguments;
    fileArguments.removeAll("--exit-after-first-paint");
    if (const qsizetype at = fileArguments.indexOf("--screenshots"); at > 0) {
        fileArguments.remove(at, std::min<qsizetype>(2, fileArguments.size() - at));
    }
    CTalveroApp app;
    FirstPaintWatcher watcher(clock);
    if (!app.InitInstance(fileArguments, false)) {
        return 1;
    }
    const qsizetype shots = arguments.indexOf("--screenshots");
    if (shots > 0 && shots + 1 < arguments.size()) {
        app.MainFrame()->resize(900, 640);
        app.MainFrame()->show();
        QApplication::processEvents();
        return SaveScreenshots(app.MainFrame(), arguments[shots + 1]) ? 0 : 1;
    }
    if (benchmark) {
        app.MainFrame()->installEventFilter(&watcher);
    }
    app.MainFrame()->resize(900, 640);
    app.MainFrame()->show();
    if (!benchmark) {
        // Changes a program left unsaved when it was killed are offered once the window is up.
        QTimer::singleShot(0, app.MainFrame(), [&app] { app.MainFrame()->OfferRecovery(); });
    }
    return application.exec();
}
