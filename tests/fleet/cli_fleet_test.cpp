// talvero-cli fleet: the check alone, a refused fleet file that leaves the radio untouched, a run
// on a simulated radio with its line and report, and the mistakes in the arguments.
#include <gtest/gtest.h>

#include "../link/link_fixture.h"
#include "cli_run.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"

namespace {

class CliFleetTest : public CliTest {
  protected:
    void SetUp() override {
        CTalveroDoc templ;
        ASSERT_TRUE(SaveConfigurationFile(templ, dir + "/t.ini").ok());
    }
};

TEST_F(CliFleetTest, CheckListsEveryFaultWithItsLine) {
    Write("bad.csv", "radio,def_id_01\n111,7\n111,0\n");
    const CliRun r = Cli("fleet check " + dir + "/t.ini " + dir + "/bad.csv");
    EXPECT_EQ(r.status, 12);
    EXPECT_NE(r.err.find("line 3: def_id_01: value '0' refused"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("line 3: ICCID 111 is already named on line 2"), std::string::npos) << r.err;

    Write("good.csv", "radio,def_id_01\n111,7\n*,8\n");
    const CliRun ok = Cli("fleet check " + dir + "/t.ini " + dir + "/good.csv");
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.out, "2 rows: 1 named by ICCID, 1 for any radio\n");
}

TEST_F(CliFleetTest, ARunWritesEachRadioAndTouchesNoneWhenTheFileIsRefused) {
    RadioSimOptions o = FastRadio();
    o.iccid = "8981100000000000011";
    auto sim = StartRadio(o);
    const std::string common = " --report " + dir + "/report.csv --backups " + dir + "/bk --port " +
                               sim->Path() + " --timeout 500 --poll 20";

    Write("bad.csv", "radio,disp_name_01,volume\n*,A,1\n");
    const CliRun refused = Cli("fleet run " + dir + "/t.ini " + dir + "/bad.csv" + common);
    EXPECT_EQ(refused.status, 12);
    EXPECT_NE(refused.err.find("line 1: 'volume' names no setting"), std::string::npos) << refused.err;
    EXPECT_TRUE(sim->ReceivedFrames().empty());
    EXPECT_FALSE(std::filesystem::exists(dir + "/report.csv"));

    Write("fleet.csv", "radio,disp_name_01\n8981100000000000011,Alpha\n");
    const CliRun run = Cli("fleet run " + dir + "/t.ini " + dir + "/fleet.csv" + common);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("8981100000000000011  row 2  done"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("done 1, failed 0"), std::string::npos) << run.err;
    EXPECT_NE(ReadBytes(dir + "/report.csv").find(",8981100000000000011,2,done,"), std::string::npos);
    EXPECT_NE(KeyValueLinesOfCloneText(sim->StoredText()).find("disp_name_01=Alpha\n"), std::string::npos);
}

TEST_F(CliFleetTest, MistakesInTheArgumentsAreRefused) {
    Write("f.csv", "radio\n*\n");
    Write("long.txt", "SeventeenLetters!\n");
    const std::string files = dir + "/t.ini " + dir + "/f.csv";
    const struct {
        std::string args;
        const char* says;
    } cases[] = {
        {"fleet", "usage"},
        {"fleet go", "unknown subcommand 'go'"},
        {"fleet check " + dir + "/t.ini", "expected TEMPLATE.ini FLEET.csv"},
        {"fleet run " + files + " --port /dev/null", "missing --report"},
        {"fleet run " + files + " --report r.csv", "give --port PATH"},
        {"fleet run " + files + " --report r.csv --port /dev/null --speed 12", "--speed needs"},
        {"fleet run " + files + " --report r.csv --port /dev/null --password", "--password needs a value"},
        {"fleet run " + files + " --report r.csv --port /dev/null --password-file",
         "--password-file needs a value"},
        {"fleet run " + files + " --report r.csv --port /dev/null --password-stdin",
         "standard input holds no line"},
        {"fleet run " + files + " --report r.csv --port /dev/null --password-file " + dir + "/long.txt",
         "the password must be 1 to 16 printable ASCII characters"},
        {"fleet run " + files + " --report r.csv --port /dev/null --loud", "unexpected argument '--loud'"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        EXPECT_EQ(r.err.find("SeventeenLetters"), std::string::npos) << r.err;  // never echoed
    }
}

}  // namespace
