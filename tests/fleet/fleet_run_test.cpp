// Fleet runs against simulated radios: radios on several ports, a second radio swapped onto a
// port, rows matched by ICCID and by "*" in order, a refused password that fails one radio while
// the others finish, and a rerun that skips what the report has as done.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>

#include "../link/link_fixture.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "fleet/fleet_run.h"
#include "platform/unicode.h"
#include "temp_dir.h"

namespace {

constexpr char kFirst[] = "8981100000000000011";
constexpr char kSecond[] = "8981100000000000022";
constexpr char kThird[] = "8981100000000000033";
constexpr char kLocked[] = "8981100000000000099";
constexpr char kFourth[] = "8981100000000000044";

std::string CloneTextOf(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return CloneTextOfLines(lines);
}

// What a radio must hold afterwards: the template with the row's values, built independently of
// the fleet code.
std::string Expected(const std::map<std::u16string, std::u16string>& row) {
    CTalveroDoc doc;
    EXPECT_TRUE(doc.Set(u"disp_item", u"name"));
    EXPECT_TRUE(doc.Set(u"def_id", u"00321"));
    for (const auto& [key, value] : row) {
        EXPECT_TRUE(doc.Set(*FindSettingByKey(key), value));
    }
    return CloneTextOf(doc);
}

RadioSimOptions Radio(const std::string& iccid) {
    RadioSimOptions o = FastRadio();
    o.iccid = iccid;
    CTalveroDoc factory;
    o.configText = CloneTextOf(factory);
    return o;
}

// Records what each radio ended with, and swaps radios as a technician would once one is done.
struct Bench : IFleetObserver {
    std::mutex lock;
    std::vector<FleetReportLine> ended;
    std::map<std::string, std::string> held;  // ICCID → what the radio held when it ended
    std::function<void(const FleetReportLine&)> then;
    std::map<std::string, RadioSimulator*> sims;

    void OnRadioEnded(const FleetReportLine& line, const ErrorInfo& reportError) override {
        EXPECT_TRUE(reportError.ok()) << reportError.detail;
        std::lock_guard<std::mutex> guard(lock);
        ended.push_back(line);
        held[line.iccid] = sims.at(line.port)->StoredText();
        if (then) {
            then(line);
        }
    }
};

RadioIdentity Identity(const std::string& iccid, const RadioSimOptions& like) {
    return RadioIdentity{iccid, std::string("0"), "", like.configText};
}

class FleetRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CTalveroDoc templ;
        ASSERT_TRUE(templ.Set(u"disp_item", u"name"));
        ASSERT_TRUE(templ.Set(u"def_id", u"00321"));
        templatePath = dir.Path() + "/template.ini";
        ASSERT_TRUE(SaveConfigurationFile(templ, templatePath).ok());
        reportPath = dir.Path() + "/report.csv";
    }

    FleetPlan Plan(const std::string& csv) {
        const std::string path = dir.Write("fleet.csv", csv);
        FleetCheck check = CheckFleet(templatePath, path);
        EXPECT_TRUE(check.ok()) << (check.ok() ? "" : DescribeFleetProblem(check.problems[0]));
        return std::move(check.plan);
    }

    FleetRunOptions Options(std::vector<std::string> ports) {
        FleetRunOptions o;
        o.ports = std::move(ports);
        o.password = u"1234";
        o.timings = FastTimings(400);
        o.pollMs = 10;
        o.reportPath = reportPath;
        o.backupFolder = dir.Path() + "/backups";
        return o;
    }

    std::vector<std::string> ReportLines() {
        std::vector<std::string> lines;
        std::string text = TempDir::ReadBytes(reportPath);
        for (size_t start = 0, end; start < text.size(); start = end + 1) {
            end = text.find('\n', start);
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    TempDir dir;
    std::string templatePath, reportPath;
};

const char kFleet[] =
    "radio,disp_name_01\r\n"
    "8981100000000000011,Alpha\r\n"
    "*,Bravo\r\n"
    "*,Charlie\r\n";

TEST_F(FleetRunTest, RadiosOnTwoPortsEachGetTheTemplateAndTheirRow) {
    const FleetPlan plan = Plan(kFleet);
    auto a = StartRadio(Radio(kFirst));
    RadioSimOptions lockedOptions = Radio(kLocked);
    lockedOptions.auth = "1";
    lockedOptions.password = "9999";
    auto b = StartRadio(lockedOptions);
    const RadioSimOptions plain = Radio("");

    Bench bench;
    bench.sims = {{a->Path(), a.get()}, {b->Path(), b.get()}};
    // Port A: the first radio, then a second one. Port B: a locked radio that fails, then, once
    // port A's second radio is done, a third: so the "*" rows go out in a known order.
    bench.then = [&](const FleetReportLine& line) {
        if (line.iccid == kFirst) {
            a->SwapRadio(Identity(kSecond, plain));
        } else if (line.iccid == kSecond) {
            b->SwapRadio(Identity(kThird, plain));
        }
    };
    FleetRun run(plan, Options({a->Path(), b->Path()}), &bench);
    ASSERT_TRUE(run.Run().ok());

    EXPECT_FALSE(run.AllSucceeded());
    const FleetSummary summary = run.Summary();
    EXPECT_EQ(summary.done, 3u);
    EXPECT_EQ(summary.failed, 1u);
    EXPECT_EQ(summary.rowsLeft, 0u);
    EXPECT_EQ(bench.held[kFirst], Expected({{u"disp_name_01", u"Alpha"}}));
    EXPECT_EQ(bench.held[kSecond], Expected({{u"disp_name_01", u"Bravo"}}));
    EXPECT_EQ(bench.held[kThird], Expected({{u"disp_name_01", u"Charlie"}}));

    std::map<std::string, FleetReportLine> byRadio;
    for (const auto& line : bench.ended) {
        byRadio[line.iccid] = line;
    }
    EXPECT_EQ(byRadio[kFirst].row, 2u);
    EXPECT_EQ(byRadio[kSecond].row, 3u);
    EXPECT_EQ(byRadio[kThird].row, 4u);
    // The locked radio is never read, so its ICCID is unknown; it holds what it held.
    const FleetReportLine& refused = byRadio[""];
    EXPECT_EQ(refused.result, "failed");
    EXPECT_EQ(refused.port, b->Path());
    EXPECT_NE(refused.reason.find("refused the password"), std::string::npos) << refused.reason;
    for (const char* iccid : {kFirst, kSecond, kThird}) {
        EXPECT_EQ(byRadio[iccid].result, "done") << iccid << ": " << byRadio[iccid].reason;
        EXPECT_EQ(byRadio[iccid].model, "TLV-700");
        EXPECT_TRUE(std::filesystem::exists(byRadio[iccid].backup)) << byRadio[iccid].backup;
    }

    const auto lines = ReportLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "time,port,model,iccid,row,result,reason,seconds,backup");
    for (const char* iccid : {kFirst, kSecond, kThird}) {
        int found = 0;
        for (const auto& l : lines) {
            found += l.find(std::string(iccid) + ",") != std::string::npos &&
                     l.find(",done,") != std::string::npos;
        }
        EXPECT_EQ(found, 1) << iccid;
    }

    // A rerun with one row more: the radios still on the cables are done already and are skipped
    // without being written; a new radio takes the new row.
    const FleetPlan more = Plan(std::string(kFleet) + "*,Delta\r\n");
    const std::string heldByB = b->StoredText();
    Bench again;
    again.sims = bench.sims;
    again.then = [&](const FleetReportLine& line) {
        if (line.port == a->Path() && line.result == "skipped") {
            a->SwapRadio(Identity(kFourth, plain));
        }
    };
    FleetRun rerun(more, Options({a->Path(), b->Path()}), &again);
    ASSERT_TRUE(rerun.Run().ok());
    EXPECT_TRUE(rerun.AllSucceeded());
    EXPECT_EQ(again.held[kFourth], Expected({{u"disp_name_01", u"Delta"}}));
    EXPECT_EQ(b->StoredText(), heldByB);
    std::map<std::string, std::string> results;
    for (const auto& line : again.ended) {
        results[line.iccid] = line.result;
    }
    EXPECT_EQ(results[kSecond], "skipped");
    EXPECT_EQ(results[kFourth], "done");
    EXPECT_EQ(ReportLines().size(), 5u + again.ended.size());
}

TEST_F(FleetRunTest, ARunWhoseRowsAreAllDoneTouchesNoRadio) {
    ASSERT_TRUE(FleetReport(reportPath)
                    .Append({"2026-01-01 10:00:00", "/dev/x", "TLV-700", kFirst, 2, "done", "", 1, ""})
                    .ok());
    const FleetPlan plan = Plan("radio,disp_name_01\n8981100000000000011,Alpha\n");
    auto a = StartRadio(Radio(kFirst));
    FleetRun run(plan, Options({a->Path()}));
    ASSERT_TRUE(run.Run().ok());
    EXPECT_TRUE(run.AllSucceeded());
    EXPECT_TRUE(a->ReceivedFrames().empty());
}

TEST_F(FleetRunTest, APortThatAppearsWhileWatchingIsTaken) {
    const FleetPlan plan = Plan("radio,disp_name_01\n*,Alpha\n");
    auto a = StartRadio(Radio(kFirst));
    FleetRunOptions options = Options({});
    options.watch = true;
    // The cable is plugged in after the first look at the ports.
    std::atomic<int> looks{0};
    options.listPorts = [&] {
        std::vector<ComInfo> ports;
        if (looks++ > 0) {
            ports.push_back({a->Path(), u"cable", true});
        }
        return ports;
    };
    Bench bench;
    bench.sims = {{a->Path(), a.get()}};
    FleetRun run(plan, options, &bench);
    ASSERT_TRUE(run.Run().ok());
    EXPECT_GT(looks.load(), 1);
    ASSERT_EQ(bench.ended.size(), 1u);
    EXPECT_EQ(bench.ended[0].result, "done");
    EXPECT_EQ(bench.held[kFirst], Expected({{u"disp_name_01", u"Alpha"}}));
}

}  // namespace

namespace {

// The report is read by people, in spreadsheets too: a cell a spreadsheet would run gets a leading
// apostrophe, and control characters are escaped. Cells a spreadsheet shows as text stay as they are.
TEST(FleetReportCells, CellsASpreadsheetWouldRunAreNeutralised) {
    const struct {
        std::string model;
        std::string cell;  // as written
    } cases[] = {
        {"TLV-700", "TLV-700"},
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"+1+2", "'+1+2"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "\\tx"},  // escaped first: a tab cannot reach the cell
        {"\r=1", "\\r=1"},
        {"=a,b", "\"'=a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\x1B[31mred", "\\e[31mred"},
        {"a=b", "a=b"},
        {"", ""},
    };
    for (const auto& c : cases) {
        FleetReportLine line{"2026-01-01 10:00:00", "/dev/ttyUSB0", c.model, "8981", 2, "done", "", 1.5, ""};
        EXPECT_EQ(FleetReportCsv(line), "2026-01-01 10:00:00,/dev/ttyUSB0," + c.cell + ",8981,2,done,,1.5,")
            << c.model;
    }
    for (const char* raw : {"=1", "+1", "-1", "@1", "\t1", "\r1"}) {
        EXPECT_EQ(SpreadsheetSafeCell(raw), std::string("'") + raw);
    }
}

}  // namespace

// A radio that reports a formula and terminal escapes as its model and ICCID: its ICCID picks no
// row, nothing is written to it, and the report holds its texts harmless.
TEST_F(FleetRunTest, AHostileRadioPicksNoRowAndIsReportedHarmlessly) {
    const FleetPlan plan = Plan("radio,disp_name_01\n*,Alpha\n");
    RadioSimOptions o = Radio("=cmd|' /C calc'!A0\x1B[2J");
    o.model = "@SUM(A1)\x1B[31m";
    auto a = StartRadio(o);
    const std::string before = a->StoredText();
    Bench bench;
    bench.sims = {{a->Path(), a.get()}};
    FleetRun* current = nullptr;
    bench.then = [&](const FleetReportLine&) { current->Stop(); };
    FleetRun run(plan, Options({a->Path()}), &bench);
    current = &run;
    ASSERT_TRUE(run.Run().ok());
    ASSERT_EQ(bench.ended.size(), 1u);
    const FleetReportLine& line = bench.ended[0];
    EXPECT_EQ(line.result, "failed");
    EXPECT_EQ(line.row, 0u);
    EXPECT_NE(line.reason.find("not 1 to 22 digits"), std::string::npos) << line.reason;
    EXPECT_EQ(a->StoredText(), before);
    EXPECT_EQ(run.Summary().rowsLeft, 1u);
    const auto lines = ReportLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[1].find(",'@SUM(A1)\\e[31m,'=cmd|' /C calc'!A0\\e[2J,,failed,"), std::string::npos)
        << lines[1];
}
