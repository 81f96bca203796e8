// Picture of the fleet window halfway through a run on three simulated radios (one refuses the
// password, two are paced like real lines), taken from the X server it runs on:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/fleet_screen /tmp/fleet.png
// Not a test: people look at the picture.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <cstdio>
#include <fstream>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_fleet.h"
#include "gui_support.h"
#include "radio_simulator.h"

namespace {

std::unique_ptr<RadioSimulator> Radio(const std::string& iccid, bool locked) {
    RadioSimOptions o;
    o.iccid = iccid;
    if (locked) {
        o.auth = "1";
        o.password = "0000";
    }
    CTalveroDoc factory;
    std::vector<std::u16string> lines;
    factory.RenderSettings(lines, false);
    o.configText = CloneTextOfLines(lines);
    auto sim = std::make_unique<RadioSimulator>(o);
    std::string error;
    sim->Start(error);
    return sim;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("fleet.png");
    TestEnvironment env;
    UseLanguage(true);
    auto a = Radio("8981100022152446714", false);
    auto b = Radio("8981100022152440001", true);
    auto c = Radio("8981100022152440002", false);
    qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(a->Path() + ":" + b->Path() + ":" + c->Path()));
    CTalveroDoc templ;
    SaveConfigurationFile(templ, env.Path("template.ini").toStdString());
    std::ofstream(env.Path("fleet.csv").toStdString()) << "radio,disp_name_01,def_id_01\n"
                                                          "8981100022152446714,Gate 1,00101\n"
                                                          "*,Gate 2,00102\n"
                                                          "*,Gate 3,00103\n"
                                                          "*,Spare,00199\n";
    CDlgFleet dialog(115200);
    dialog.m_options.backupFolder = env.Path("backups").toStdString();
    dialog.m_openReport = false;
    dialog.TemplateEdit()->setText(env.Path("template.ini"));
    dialog.FleetEdit()->setText(env.Path("fleet.csv"));
    dialog.ReportEdit()->setText(env.Path("report.csv"));
    for (int i = 0; i < dialog.PortList()->count(); ++i) {
        dialog.PortList()->item(i)->setCheckState(Qt::Checked);
    }
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog) || !dialog.Start()) {
        std::fprintf(stderr, "fleet_screen: the window did not start\n");
        return 1;
    }
    QTest::qWait(9000);
    const bool ok = dialog.screen()->grabWindow(dialog.winId()).save(out);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(out));
    dialog.Stop();
    const bool ended = QTest::qWaitFor([&] { return !dialog.Running(); }, 60000);
    return ok && ended ? 0 : 1;
}
