// talvero: the radio configuration program.
//
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

namespace {

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
    return application.exec();
}
