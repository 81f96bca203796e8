// talvero-cli's file commands, run as a process the way a user runs them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "cli_run.h"

namespace {

using CliDocument = CliTest;

TEST_F(CliDocument, NewShowSetCheck) {
    const std::string ini = dir + "/a.ini";
    ASSERT_EQ(Cli("new -o " + ini).status, 0);
    CliRun show = Cli("show --radio-form " + ini);
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out.rfind("def_id_type_01=all\ndef_id_01=0\n", 0), 0u);

    CliRun set =
        Cli("set " + ini + " def_id_01=7 name_01_07=テスト id_type_01_07=indi def_id_type_01=bogus -o " +
            dir + "/b.ini");
    EXPECT_EQ(set.status, 1);
    EXPECT_NE(set.err.find("def_id_type_01"), std::string::npos);
    CliRun file = Cli("show " + dir + "/b.ini");
    EXPECT_NE(file.out.find("def_id_01=00007\n"), std::string::npos);
    EXPECT_NE(file.out.find("name_01_07=テスト\n"), std::string::npos);
    EXPECT_NE(file.out.find("def_id_type_01=all\n"), std::string::npos);
    EXPECT_EQ(Cli("set " + ini + " disp_name_01=ok").status, 0);
    EXPECT_NE(Cli("show " + ini).out.find("disp_name_01=ok\n"), std::string::npos);
    EXPECT_EQ(Cli("show --wlan-only " + ini).out.rfind("wlan_scan_01=", 0), 0u);

    EXPECT_EQ(Cli("check " + ini).status, 0);
    EXPECT_EQ(Cli("check " + ini).out, "");
}

TEST_F(CliDocument, CheckPrintsWarningsAndRefusals) {
    const std::string wide = dir + "/wide.ini";
    std::ofstream(wide) << "{499D5724-3DB8-45B8-B06D-5E0563C69F20}\r\n[Config]\r\nmsg_01_01="
                        << std::string(40, 'm') << "\r\n";
    CliRun r = Cli("check " + wide);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
    // The warning is the program's own text from the English language file beside the tool.
    EXPECT_NE(r.out.find(std::string(32, 'm')), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("ID_"), std::string::npos) << r.out;

    const std::string bad = dir + "/bad.ini";
    std::ofstream(bad) << "not a configuration";
    r = Cli("check " + bad);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("not a configuration file"), std::string::npos);
}

TEST_F(CliDocument, BadArgumentsGiveOneLineAndNonZeroExit) {
    for (const std::string& args : std::vector<std::string>{
             "", "frobnicate", "new", "show", "show a b", "set", "check", "show --bogus x",
             "set " + dir + "/none.ini a=b", "show " + dir + "/none.ini"}) {
        CliRun r = Cli(args);
        EXPECT_NE(r.status, 0) << args;
        EXPECT_NE(r.status, 70) << args;  // never an internal error
    }
    for (const char* cmd : {"new", "show", "check", "set"}) {
        CliRun r = Cli(std::string(cmd) + " --help");
        EXPECT_EQ(r.status, 0) << cmd;
        EXPECT_NE(r.out.find("usage: talvero-cli"), std::string::npos) << cmd;
    }
}

}  // namespace
