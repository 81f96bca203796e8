// The fleet window: refusals before anything starts, then a run on two simulated radios with
// each row's state, the radio a "*" row served and the summary.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "../support/fast_timings.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_fleet.h"
#include "gui_support.h"
#include "gui_tests.h"
#include "radio_simulator.h"
#include "text/language_texts.h"

namespace {

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

std::unique_ptr<RadioSimulator> Radio(const std::string& iccid) {
    RadioSimOptions o;
    o.pace = false;
    o.ackTimeoutMs = 3000;
    o.iccid = iccid;
    CTalveroDoc factory;
    std::vector<std::u16string> lines;
    factory.RenderSettings(lines, false);
    o.configText = CloneTextOfLines(lines);
    auto sim = std::make_unique<RadioSimulator>(o);
    std::string error;
    if (!sim->Start(error)) {
        qWarning("%s", error.c_str());
    }
    return sim;
}

}  // namespace

class FleetDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { UseLanguage(true); }

    void refusesBeforeStartingThenRunsEveryRow() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        auto a = Radio("8981100000000000011");
        auto b = Radio("8981100000000000022");
        qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(a->Path() + ":" + b->Path()));
        CTalveroDoc templ;
        QVERIFY(SaveConfigurationFile(templ, env.Path("t.ini").toStdString()).ok());
        std::ofstream(env.Path("bad.csv").toStdString()) << "radio,def_id_01\n*,0\n";
        std::ofstream(env.Path("fleet.csv").toStdString())
            << "radio,disp_name_01\n8981100000000000011,Alpha\n*,Bravo\n";

        CDlgFleet dialog(38400);
        dialog.m_options.timings = FastTimings(400);
        dialog.m_options.pollMs = 10;
        dialog.m_options.backupFolder = env.Path("backups").toStdString();
        dialog.m_openReport = false;
        QVERIFY(!dialog.Start());
        QCOMPARE(prompts.messages.value(0), Text(10724));

        dialog.TemplateEdit()->setText(env.Path("t.ini"));
        dialog.FleetEdit()->setText(env.Path("bad.csv"));
        dialog.ReportEdit()->setText(env.Path("report.csv"));
        for (int i = 0; i < dialog.PortList()->count(); ++i) {
            const std::string port = dialog.PortList()->item(i)->data(Qt::UserRole).toString().toStdString();
            if (port == a->Path() || port == b->Path()) {
                dialog.PortList()->item(i)->setCheckState(Qt::Checked);
            }
        }
        QVERIFY(!dialog.Start());
        QVERIFY2(prompts.messages.value(1).contains("line 2: def_id_01: value '0' refused"),
                 qPrintable(prompts.messages.value(1)));
        QVERIFY(a->ReceivedFrames().empty());

        dialog.FleetEdit()->setText(env.Path("fleet.csv"));
        QVERIFY(dialog.Start());
        QCOMPARE(dialog.RowTable()->rowCount(), 2);
        QCOMPARE(dialog.RowTable()->item(1, 1)->text(), Text(10726));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 30000);
        QCOMPARE(dialog.RowTable()->item(0, 2)->text(), Text(10718));
        QCOMPARE(dialog.RowTable()->item(1, 2)->text(), Text(10718));
        // The "*" row names the radio it served.
        QCOMPARE(dialog.RowTable()->item(1, 1)->text(), QString("8981100000000000022"));
        QCOMPARE(dialog.PortTable()->rowCount(), 2);
        QVERIFY2(dialog.SummaryLabel()->text().startsWith("Done 2, failed 0"),
                 qPrintable(dialog.SummaryLabel()->text()));
        QCOMPARE(prompts.messages.size(), 2);
        qunsetenv("TALVERO_EXTRA_PORTS");
    }

    // A ledger in place of the fleet file: the rows come from it, shared with a station that has
    // done one of them already, and the station table shows both stations.
    void runsFromALedgerAndShowsEveryStation() {
        TestEnvironment env;
        ScriptedPrompts prompts;
        auto a = Radio("8981100000000000033");
        qputenv("TALVERO_EXTRA_PORTS", QByteArray::fromStdString(a->Path()));
        CTalveroDoc templ;
        QVERIFY(SaveConfigurationFile(templ, env.Path("t.ini").toStdString()).ok());
        std::ofstream(env.Path("fleet.csv").toStdString()) << "radio,disp_name_01\n*,Alpha\n*,Bravo\n";
        const FleetCheck check =
            CheckFleet(env.Path("t.ini").toStdString(), env.Path("fleet.csv").toStdString());
        QVERIFY(check.ok());
        const std::string address = env.Path("fleet.db").toStdString();
        {
            ErrorInfo e;
            auto other = OpenFleetLedger(address, {}, e);
            QVERIFY(other);
            QVERIFY(other->Load(LedgerRowsOf(check.plan), false).ok());
            LedgerClaim claim;
            QVERIFY(other->Claim("bench-9", "/dev/ttyUSB3", "8981100000000000099", 60000, claim).ok());
            QVERIFY(other
                        ->Finish(claim.token, {"bench-9", "/dev/ttyUSB3", "TLV-700", "8981100000000000099",
                                               claim.line, 1, 2, "done", "", "", "same"})
                        .ok());
        }

        CDlgFleet dialog(38400);
        dialog.m_options.timings = FastTimings(400);
        dialog.m_options.pollMs = 10;
        dialog.m_options.backupFolder = env.Path("backups").toStdString();
        dialog.m_openReport = false;
        dialog.TemplateEdit()->setText(env.Path("t.ini"));
        dialog.LedgerEdit()->setText(QString::fromStdString(address));
        for (int i = 0; i < dialog.PortList()->count(); ++i) {
            if (dialog.PortList()->item(i)->data(Qt::UserRole).toString().toStdString() == a->Path()) {
                dialog.PortList()->item(i)->setCheckState(Qt::Checked);
            }
        }
        QVERIFY(dialog.Start());
        QCOMPARE(dialog.RowTable()->rowCount(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.Running(), 30000);
        QCOMPARE(prompts.messages.size(), 0);
        QVERIFY2(dialog.SummaryLabel()->text().startsWith("Done 1, failed 0"),
                 qPrintable(dialog.SummaryLabel()->text()));
        QCOMPARE(dialog.RowTable()->item(1, 2)->text(), Text(10718));
        QVERIFY2(dialog.LedgerLabel()->text().startsWith("Ledger: rows 2, done 2, in progress 0, left 0"),
                 qPrintable(dialog.LedgerLabel()->text()));
        QCOMPARE(dialog.StationTable()->rowCount(), 2);
        QStringList stations;
        for (int r = 0; r < 2; ++r) {
            stations << dialog.StationTable()->item(r, 0)->text() + ":" +
                            dialog.StationTable()->item(r, 1)->text();
        }
        QVERIFY2(stations.contains("bench-9:1"), qPrintable(stations.join(", ")));
        qunsetenv("TALVERO_EXTRA_PORTS");
    }
};

static GuiTestRegistration<FleetDialogTest> registration;

#include "fleet_dialog_test.moc"
