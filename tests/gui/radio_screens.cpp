// Pictures of the port list, the progress window halfway through a read, the main window after
// the read and the radio information window, taken from the X server the program runs on (see
// radio_screens.sh). Not a test: people look at the pictures.
#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "gui/dialogs/dlg_cloning.h"
#include "gui/dialogs/dlg_com_list.h"
#include "gui/dialogs/dlg_firm_ver.h"
#include "gui/dialogs/gui_clone_host.h"
#include "gui/shell/command_table.h"
#include "gui/shell/radio_controller.h"
#include "gui_support.h"
#include "radio_simulator.h"

namespace {

bool Save(QWidget* window, const QString& path) {
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

class ShowingPrompts : public ScriptedPrompts {
  public:
    explicit ShowingPrompts(QString folder) : m_folder(std::move(folder)) {}
    int ExecDialog(QDialog* dialog) override {
        if (qobject_cast<CDlgFirmVer*>(dialog)) {
            dialog->show();
            if (QTest::qWaitForWindowExposed(dialog)) {
                QTest::qWait(200);
                saved = Save(dialog, m_folder + "/information.png") && saved;
            }
            dialog->hide();
            return QDialog::Accepted;
        }
        return ScriptedPrompts::ExecDialog(dialog);
    }
    bool saved = true;

  private:
    QString m_folder;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    TestEnvironment env;
    UseLanguage(true);
    // The read's backup goes to the picture run's own folder, not the user's.
    qputenv("XDG_DATA_HOME", env.Path("data").toUtf8());

    // Paced like a real line, so the read takes a few seconds. A configuration of defaults is
    // about a hundred frames: the picture is taken past frame 50.
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

    // The port list as the technician sees it: the simulated radio among the ports present.
    qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(sim.Path()));
    bool portsSaved = false;
    {
        CDlgComList ports;
        ports.m_selectedPort = sim.Path();
        ports.Initialise();
        ports.show();
        if (QTest::qWaitForWindowExposed(&ports)) {
            QTest::qWait(200);
            portsSaved = Save(&ports, folder + "/port_dialog.png");
        }
    }

    FrameUnderTest t;
    t.frame->Radio().SetPort(sim.Path());
    t.frame->Radio().SetSpeed(115200);
    t.frame->resize(900, 650);
    t.frame->show();
    ShowingPrompts prompts(folder);

    bool progressSaved = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<CDlgCloning*>(w);
            if (!progressSaved && progress && progress->isVisible() &&
                progress->ProgressBar()->maximum() > 3 && progress->ProgressBar()->value() >= 50 &&
                progress->ProgressBar()->value() < progress->ProgressBar()->maximum()) {
                progressSaved = Save(progress, folder + "/progress_mid_read.png");
            }
        }
    });
    watch.start(20);
    t.frame->ExecuteCommand(ID_CLONE_READ);
    watch.stop();
    QTest::qWait(300);
    const bool mainSaved = Save(t.frame.get(), folder + "/main_after_read.png");
    t.frame->ExecuteCommand(ID_CLONE_INFORMATION);
    for (const QString& message : prompts.messages) {
        std::printf("message: %s\n", qPrintable(message));
    }
    return portsSaved && progressSaved && mainSaved && prompts.saved && prompts.messages.isEmpty() ? 0 : 1;
}
