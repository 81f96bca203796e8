// Several stations on one fleet ledger, on both back ends, with simulated radios: three stations
// with two radios each share the rows (each row used once, no radio given two), a radio that
// refuses the password fails alone, a rerun skips the radios done; and a station killed in the
// middle of a radio leaves its row to another station once the lease has run out, with the
// half-written radio in the report.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <thread>

#include "../link/link_fixture.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "fleet/fleet_run.h"
#include "ledger_fixture.h"
#include "platform/unicode.h"

namespace {

std::string CloneTextOf(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return CloneTextOfLines(lines);
}

// What a radio holds after its row: the template with the row's name, built without the fleet code.
std::string Expected(const std::u16string& name) {
    CTalveroDoc doc;
    EXPECT_TRUE(doc.Set(u"def_id", u"00321"));
    EXPECT_TRUE(doc.Set(*FindSettingByKey(u"disp_name_01"), name));
    return CloneTextOf(doc);
}

RadioSimOptions Radio(const std::string& iccid) {
    RadioSimOptions o = FastRadio();
    o.iccid = iccid;
    o.configText = CloneTextOf(CTalveroDoc());
    return o;
}

std::string Iccid(int n) {
    return "89811000000000001" + std::to_string(10 + n);
}

// Every station's radios' ends, and what each radio held then.
struct Bench : IFleetObserver {
    std::mutex lock;
    std::vector<FleetReportLine> ended;
    std::map<std::string, RadioSimulator*> sims;
    std::map<std::string, std::string> held;
    std::function<void()> then;

    void OnRadioEnded(const FleetReportLine& line, const ErrorInfo& ledgerError) override {
        EXPECT_TRUE(ledgerError.ok()) << ledgerError.detail;
        std::lock_guard<std::mutex> guard(lock);
        ended.push_back(line);
        held[line.iccid] = sims.at(line.port)->StoredText();
        if (then) {
            then();
        }
    }
};

class FleetLedgerRunTest : public LedgerTest {
  protected:
    void SetUp() override {
        LedgerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        CTalveroDoc templ;
        ASSERT_TRUE(templ.Set(u"def_id", u"00321"));
        templatePath = dir.Path() + "/template.ini";
        ASSERT_TRUE(SaveConfigurationFile(templ, templatePath).ok());
        ASSERT_TRUE(LoadFleetTemplate(templatePath, plan.templateMap).ok());
    }

    void Load(const std::string& csv) {
        const FleetCheck check = CheckFleet(templatePath, dir.Write("fleet.csv", csv));
        ASSERT_TRUE(check.ok()) << DescribeFleetProblem(check.problems[0]);
        ASSERT_TRUE(Open()->Load(LedgerRowsOf(check.plan), false).ok());
    }

    FleetRunOptions Options(std::vector<std::string> ports, IFleetLedger* ledger,
                            const std::string& station) {
        FleetRunOptions o;
        o.ports = std::move(ports);
        o.password = u"1234";
        o.timings = FastTimings(400);
        o.pollMs = 10;
        o.backupFolder = dir.Path() + "/backups-" + station;
        o.ledger = ledger;
        o.station = station;
        return o;
    }

    // Runs one station per pair of ports, each on a connection of its own, until every station ends.
    void RunStations(const std::vector<std::unique_ptr<RadioSimulator>>& sims, Bench& bench,
                     std::vector<std::unique_ptr<FleetRun>>& runs) {
        std::vector<std::unique_ptr<IFleetLedger>> ledgers;
        for (size_t s = 0; s * 2 < sims.size(); ++s) {
            ledgers.push_back(Open(LedgerWallClock));
            ASSERT_TRUE(ledgers.back());
            runs.push_back(
                std::make_unique<FleetRun>(plan,
                                           Options({sims[2 * s]->Path(), sims[2 * s + 1]->Path()},
                                                   ledgers.back().get(), "station-" + std::to_string(s + 1)),
                                           &bench));
        }
        std::vector<std::thread> threads;
        for (auto& run : runs) {
            threads.emplace_back([&run] { EXPECT_TRUE(run->Run().ok()); });
        }
        for (auto& t : threads) {
            t.join();
        }
    }

    std::string templatePath;
    FleetPlan plan;
};

TEST_P(FleetLedgerRunTest, ThreeStationsShareTheRowsAndARerunSkipsTheRadiosDone) {
    Load("radio,disp_name_01\n" + Iccid(4) + ",Own\n*,R2\n*,R3\n*,R4\n*,R5\n*,R6\n");
    std::vector<std::unique_ptr<RadioSimulator>> sims;
    for (int i = 0; i < 6; ++i) {
        RadioSimOptions o = Radio(Iccid(i));
        if (i == 2) {  // a radio whose password is not the fleet's
            o.auth = "1";
            o.password = "9999";
        }
        sims.push_back(StartRadio(o));
    }
    Bench bench;
    for (auto& sim : sims) {
        bench.sims[sim->Path()] = sim.get();
    }
    // One row stays free (its radio refused the password): the stations would wait for another
    // radio, so they are stopped once all six radios have ended.
    std::vector<std::unique_ptr<FleetRun>> runs;
    bench.then = [&] {
        if (bench.ended.size() == sims.size()) {
            for (auto& run : runs) {
                run->Stop();
            }
        }
    };
    RunStations(sims, bench, runs);

    std::map<std::string, FleetReportLine> byRadio;
    for (const auto& line : bench.ended) {
        EXPECT_FALSE(byRadio.count(line.iccid)) << "radio ended twice: " << line.iccid;
        byRadio[line.iccid] = line;
    }
    const FleetReportLine& refused = byRadio[""];
    EXPECT_EQ(refused.result, "failed");
    EXPECT_EQ(refused.port, sims[2]->Path());
    EXPECT_NE(refused.reason.find("refused the password"), std::string::npos) << refused.reason;

    std::vector<LedgerOutcome> outcomes;
    ASSERT_TRUE(Open()->Outcomes(outcomes).ok());
    std::set<unsigned> linesDone;
    std::set<std::string> radiosDone;
    for (const auto& o : outcomes) {
        if (o.result == "done") {
            EXPECT_TRUE(linesDone.insert(o.line).second) << "row used twice: " << o.line;
            EXPECT_TRUE(radiosDone.insert(o.iccid).second) << "radio given two rows: " << o.iccid;
            EXPECT_EQ(o.verify, "same");
            EXPECT_FALSE(o.backup.empty());
            EXPECT_EQ(o.station.rfind("station-", 0), 0u);
        }
    }
    EXPECT_EQ(linesDone.size(), 5u);
    EXPECT_EQ(radiosDone.size(), 5u);
    EXPECT_EQ(byRadio[Iccid(4)].row, 2u);  // its own row
    EXPECT_EQ(bench.held[Iccid(4)], Expected(u"Own"));
    for (int i : {0, 1, 3, 5}) {
        const FleetReportLine& l = byRadio[Iccid(i)];
        ASSERT_EQ(l.result, "done") << Iccid(i) << ": " << l.reason;
        ASSERT_GE(l.row, 3u);
        EXPECT_EQ(bench.held[Iccid(i)], Expected(u"R" + Utf8ToUtf16(std::to_string(l.row - 1)))) << Iccid(i);
    }

    // The technician sets the right password on the refused radio; a rerun of all three stations
    // writes it alone and ends by itself.
    std::map<size_t, std::string> before;
    for (size_t i : {0, 1, 3, 4, 5}) {
        before[i] = sims[i]->StoredText();
    }
    RadioSimOptions plain = Radio(Iccid(2));
    sims[2]->SwapRadio(RadioIdentity{Iccid(2), std::string("0"), "", plain.configText});
    Bench again;
    again.sims = bench.sims;
    std::vector<std::unique_ptr<FleetRun>> reruns;
    RunStations(sims, again, reruns);
    for (const auto& line : again.ended) {
        EXPECT_EQ(line.result, line.iccid == Iccid(2) ? "done" : "skipped")
            << line.iccid << ": " << line.reason;
    }
    for (const auto& [i, text] : before) {
        EXPECT_EQ(sims[i]->StoredText(), text) << "radio " << i << " was written again";
    }
    LedgerStatus status;
    ASSERT_TRUE(Open()->Status(status).ok());
    EXPECT_EQ(status.done, 6u);
    EXPECT_EQ(status.left, 0u);
    EXPECT_EQ(status.inProgress, 0u);
}

// Starts talvero-cli with `args` (no shell); its pid.
pid_t StartCli(const std::vector<std::string>& args, const std::string& log) {
    std::vector<std::string> all = {std::string(TALVERO_BIN_DIR) + "/talvero-cli"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!::freopen(log.c_str(), "w", stdout) || !::freopen(log.c_str(), "a", stderr) ||
            !::freopen("/dev/null", "r", stdin)) {
            ::_exit(126);
        }
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

TEST_P(FleetLedgerRunTest, AStationKilledMidRadioLeavesItsRowToAnotherAfterTheLease) {
    Load("radio,disp_name_01\n*,Only\n");
    // How many frames the PC sends before the write begins: found on a radio of the same kind.
    size_t framesBeforeWrite = 0;
    {
        auto probe = StartRadio(Radio(Iccid(9)));
        TempDir probeDir;
        ErrorInfo e;
        auto probeLedger = OpenFleetLedger(probeDir.Path() + "/probe.db", {}, e);
        ASSERT_TRUE(probeLedger) << e.detail;
        ASSERT_TRUE(probeLedger->Load({{0, 2, "*", "disp_name_01\tx\n"}}, false).ok());
        struct Probe : IFleetObserver {
            RadioSimulator* sim;
            std::atomic<size_t> frames{0};
            void OnState(const std::string&, FleetRadioState s, unsigned) override {
                if (s == FleetRadioState::kWriting) {
                    frames = sim->ReceivedFrames().size();
                }
            }
        } watch;
        watch.sim = probe.get();
        FleetRun run(plan, Options({probe->Path()}, probeLedger.get(), "probe"), &watch);
        ASSERT_TRUE(run.Run().ok());
        framesBeforeWrite = watch.frames;
        ASSERT_GT(framesBeforeWrite, 0u);
    }

    // The first station's radio stops answering a few frames into the write, and the station
    // waits for it (a long time-out) until it is killed.
    RadioSimOptions stuck = Radio(Iccid(1));
    stuck.silentAfter = static_cast<int64_t>(framesBeforeWrite) + 3;
    auto first = StartRadio(stuck);
    const pid_t station = StartCli({"fleet", "run", templatePath, "--ledger", address, "--port",
                                    first->Path(), "--station", "killed", "--lease", "5000", "--timeout",
                                    "600000", "--poll", "20", "--backups", dir.Path() + "/backups-killed"},
                                   dir.Path() + "/killed.log");
    ASSERT_GT(station, 0);
    auto watcher = Open(LedgerWallClock);
    bool writing = false;
    // A guard against a hang only: the station normally gets there in well under a second.
    for (int i = 0; i < 6000 && !writing; ++i) {
        LedgerStatus s;
        ASSERT_TRUE(watcher->Status(s).ok());
        writing = s.inProgress == 1 && first->ReceivedFrames().size() > framesBeforeWrite;
        if (!writing) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    ::kill(station, SIGKILL);
    int status = 0;
    ::waitpid(station, &status, 0);
    ASSERT_TRUE(writing) << TempDir::ReadBytes(dir.Path() + "/killed.log");

    // Another station, its clock past the lease, finishes the row with its own radio.
    auto second = StartRadio(Radio(Iccid(2)));
    const int64_t later = 10 * 60 * 1000;
    auto ledger = Open([later] { return LedgerWallClock() + later; });
    FleetRunOptions options = Options({second->Path()}, ledger.get(), "alive");
    options.clock = [later] { return LedgerWallClock() + later; };
    Bench bench;
    bench.sims[second->Path()] = second.get();
    FleetRun run(plan, options, &bench);
    ASSERT_TRUE(run.Run().ok());
    ASSERT_EQ(bench.ended.size(), 1u);
    EXPECT_EQ(bench.ended[0].result, "done") << bench.ended[0].reason;
    EXPECT_EQ(bench.held[Iccid(2)], Expected(u"Only"));

    // The report names the half-written radio and who left it.
    const std::string report = dir.Path() + "/report.csv";
    const pid_t reporter =
        StartCli({"fleet", "report", "--ledger", address, "-o", report}, dir.Path() + "/report.log");
    ASSERT_EQ(::waitpid(reporter, &status, 0), reporter);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << TempDir::ReadBytes(dir.Path() + "/report.log");
    const std::string text = TempDir::ReadBytes(report);
    EXPECT_NE(text.find("killed," + first->Path() + ",," + Iccid(1) + ",2,"), std::string::npos) << text;
    EXPECT_NE(text.find(",abandoned,"), std::string::npos) << text;
    EXPECT_NE(text.find("alive," + second->Path() + ",TLV-700," + Iccid(2) + ",2,"), std::string::npos)
        << text;
    LedgerStatus s;
    ASSERT_TRUE(ledger->Status(s).ok());
    EXPECT_EQ(s.done, 1u);
    EXPECT_EQ(s.left, 0u);
}

TALVERO_BOTH_LEDGERS(FleetLedgerRunTest);

}  // namespace
