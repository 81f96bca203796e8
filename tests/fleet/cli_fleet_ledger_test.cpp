// talvero-cli fleet load, status and report on a ledger file: a refused fleet file loads nothing,
// a ledger in use is loaded over only when told, and neither the status nor the report shows a
// secret of the rows.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "fleet/fleet_ledger.h"

namespace {

class CliFleetLedgerTest : public CliTest {};

TEST_F(CliFleetLedgerTest, LoadChecksFirstAndLoadsOverRowsInUseOnlyWhenTold) {
    const std::string ledger = dir + "/fleet.db";
    Write("bad.csv", "radio,def_id_01\n111,0\n");
    const CliRun bad = Cli("fleet load " + dir + "/bad.csv --ledger " + ledger);
    EXPECT_EQ(bad.status, 12);
    EXPECT_NE(bad.err.find("line 2: def_id_01: value '0' refused"), std::string::npos) << bad.err;

    Write("good.csv", "radio,disp_name_01,access_pass\n111,A,Hush1234\n*,B,Hush5678\n");
    const CliRun good = Cli("fleet load " + dir + "/good.csv --ledger " + ledger);
    ASSERT_EQ(good.status, 0) << good.err;
    EXPECT_EQ(good.out, "2 rows loaded\n");

    {
        ErrorInfo e;
        auto open = OpenFleetLedger(ledger, {}, e);
        ASSERT_TRUE(open) << e.detail;
        LedgerClaim claim;
        ASSERT_TRUE(open->Claim("bench-2", "/dev/ttyUSB0", "111", 60000, claim).ok());
        ASSERT_EQ(claim.line, 2u);
    }
    const CliRun refused = Cli("fleet load " + dir + "/good.csv --ledger " + ledger);
    EXPECT_EQ(refused.status, 12);
    EXPECT_NE(refused.err.find("1 rows of the ledger are claimed or done already"), std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;

    const CliRun status = Cli("fleet status --ledger " + ledger);
    ASSERT_EQ(status.status, 0) << status.err;
    EXPECT_NE(status.out.find("rows 2: done 0, in progress 1, left 1"), std::string::npos) << status.out;
    EXPECT_NE(status.out.find("station bench-2: done 0, in progress 1"), std::string::npos) << status.out;

    const CliRun report = Cli("fleet report --ledger " + ledger + " -o " + dir + "/report.csv");
    ASSERT_EQ(report.status, 0) << report.err;
    const std::string text = TempDir::ReadBytes(dir + "/report.csv");
    EXPECT_EQ(text.rfind("station,port,model,iccid,row,start,end,result,reason,verify,backup\n", 0), 0u)
        << text;
    for (const std::string& shown : {status.out, text}) {
        EXPECT_EQ(shown.find("Hush"), std::string::npos) << shown;
    }

    const CliRun replaced = Cli("fleet load " + dir + "/good.csv --ledger " + ledger + " --replace");
    EXPECT_EQ(replaced.status, 0) << replaced.err;
}

TEST_F(CliFleetLedgerTest, MistakesInTheArgumentsAreNamed) {
    const std::string fleet = Write("f.csv", "radio,disp_name_01\n*,A\n");
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"fleet status", "missing --ledger"},
        {"fleet report --ledger x.db", "expected --ledger LEDGER -o REPORT.csv"},
        {"fleet load --ledger x.db", "expected FLEET.csv"},
        {"fleet load " + fleet + " --ledger postgresql://u:pw@db/fleet", "holds a password"},
        {"fleet run t.ini --ledger x.db --port /dev/null --lease 5", "--lease needs milliseconds"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(r.err.find(":pw@"), std::string::npos) << r.err;
    }
}

}  // namespace
