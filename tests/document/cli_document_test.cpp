// talvero-cli's file commands, run as a process the way a user runs them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;

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

// A value a page would refuse (a network name over 32 characters) is kept on opening, listed by
// `check` (an error only with --strict), and a write needs a flag before it reaches a radio.
TEST_F(CliDocument, ValuesThePagesRefuseAreReportedAndNeedAFlagToWrite) {
    const std::string ini = dir + "/long.ini";
    std::ofstream(ini) << "{499D5724-3DB8-45B8-B06D-5E0563C69F20}\r\n[Config]\r\nwlan_ssid_01="
                       << std::string(40, 'n') << "\r\n";
    CliRun r = Cli("check " + ini);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("wlan_ssid_01"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("at most 32 characters"), std::string::npos) << r.err;
    EXPECT_EQ(Cli("check --strict " + ini).status, 1);
    EXPECT_NE(Cli("show " + ini).out.find("wlan_ssid_01=" + std::string(40, 'n')), std::string::npos);

    const std::string port = dir + "/no-such-port";
    r = Cli("write " + ini + " --port " + port);
    EXPECT_EQ(r.status, 18) << r.err;
    EXPECT_NE(r.err.find("--allow-refused-values"), std::string::npos) << r.err;
    // With the flag the write goes on to the port (which does not exist here).
    r = Cli("write " + ini + " --allow-refused-values --port " + port);
    EXPECT_NE(r.status, 18) << r.err;
    EXPECT_NE(r.status, 0) << r.err;
}

// Names of the temporary files a save may leave in `dir` (it must leave none).
std::vector<std::string> Leftovers(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (e.path().filename().string().front() == '.') {
            names.push_back(e.path().filename().string());
        }
    }
    return names;
}

// A refused value names its key and says why (the program's own message where its page has one);
// a value that would break the file apart and a key the file never keeps are refused, not saved.
TEST_F(CliDocument, SetRefusesWithTheReason) {
    const std::string ini = dir + "/a.ini";
    ASSERT_EQ(Cli("new -o " + ini).status, 0);
    struct Case {
        std::string assignment;  // shell word
        std::string reason;      // part of the message on standard error
    };
    const Case cases[] = {
        {"\"$(printf 'emer_number_01=110\\r\\ntx_ban_01=on')\"", "line break or NUL"},
        {"\"$(printf 'disp_name_01=a\\nb')\"", "line break or NUL"},
        {"iccid=8981", "comes from the radio"},
        {"id_01_01=0", "Enter an ID from 1 to 60000."},
        {"name_01_01=Müller", "characters the radio cannot display"},
        {"yomi_01_01=" + std::string(33, 'y'), "at most 32 characters"},
        {"tx_ban_01=maybe", "not one of the choices of this setting: Off, On."},
        {"vox_attack_time_01=2000", "Enter an attack time from 0 to 1995 ms."},
        // A refused secret is never shown, only its key and the reason.
        {"wlan_psk_01=" + std::string(64, 'z'), "wlan_psk_01: value '********' refused: The pre-shared key"},
        {"access_pass=" + std::string(40, 'z'), "access_pass: value '********' refused"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli("set " + ini + " " + c.assignment);
        EXPECT_EQ(r.status, 1) << c.assignment;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << c.assignment << ": " << r.err;
        EXPECT_EQ(r.err.find("zzzzzzzz"), std::string::npos) << r.err;
    }
    const std::string shown = Cli("show " + ini).out;
    EXPECT_NE(shown.find("emer_number_01=\n"), std::string::npos);
    EXPECT_NE(shown.find("tx_ban_01=off\n"), std::string::npos);
    EXPECT_TRUE(Leftovers(dir).empty());
}

// Values a file or radio holds that the document cannot keep are said before the file is
// rewritten, as `check` says them.
TEST_F(CliDocument, SetShowsTheLoadWarningsBeforeSaving) {
    const std::string ini = dir + "/w.ini";
    std::ofstream(ini) << "{499D5724-3DB8-45B8-B06D-5E0563C69F20}\r\n[Config]\r\nmsg_01_01="
                       << std::string(40, 'm') << "\r\ndisp_name_01=a\nb\r\n";
    const CliRun r = Cli("set " + ini + " tx_ban_01=on");
    EXPECT_EQ(r.status, 0);
    const std::string err = r.err;
    EXPECT_NE(err.find(std::string(32, 'm')), std::string::npos) << err;
    EXPECT_NE(err.find("disp_name_01 holds a line break"), std::string::npos) << err;
    const std::string shown = Cli("show " + ini).out;
    EXPECT_NE(shown.find("tx_ban_01=on\n"), std::string::npos);
    EXPECT_NE(shown.find("disp_name_01=\n"), std::string::npos);
}

// Every way out of a command that writes leaves no temporary file, also a save that fails.
TEST_F(CliDocument, NoTemporaryFileOnAnyExit) {
    const std::string ini = dir + "/a.ini";
    ASSERT_EQ(Cli("new -o " + ini).status, 0);
    EXPECT_EQ(Cli("set " + ini + " tx_ban_01=on").status, 0);
    EXPECT_EQ(Cli("set " + ini + " tx_ban_01=bad").status, 1);
    EXPECT_EQ(Cli("set " + ini + " no_such_key=1").status, 1);
    EXPECT_NE(Cli("set " + ini + " tx_ban_01=on -o " + dir + "/missing/b.ini").status, 0);
    fs::create_directory(dir + "/folder.ini");
    EXPECT_NE(Cli("set " + ini + " tx_ban_01=on -o " + dir + "/folder.ini").status, 0);
    // A save cut short by the file-size limit (as a full disk would cut it).
    EXPECT_NE(Cli("set " + ini + " tx_ban_01=off -o " + dir + "/big.ini; ulimit -f 1; " + TALVERO_BIN_DIR +
                  "/talvero-cli set " + ini + " tx_ban_01=off")
                  .status,
              0);
    EXPECT_TRUE(Leftovers(dir).empty());
    EXPECT_TRUE(Leftovers(dir + "/folder.ini").empty());
    EXPECT_NE(Cli("show " + ini).out.find("tx_ban_01=on\n"), std::string::npos) << "the old file stays";
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

// A save keeps an existing file's mode; when that lets others read the secrets the file now holds,
// the user is told, and only then.
TEST_F(CliDocument, ASaveThatLeavesSecretsReadableSaysSo) {
    struct Case {
        mode_t mode;
        const char* setting;
        bool warned;
    } cases[] = {
        {0644, "access_pass=Pw7x9", true},
        {0640, "access_pass=Pw7x9", true},
        {0600, "access_pass=Pw7x9", false},
        {0644, "disp_name_01=Truck", false},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string ini = dir + "/shared-" + std::to_string(n++) + ".ini";
        ASSERT_EQ(Cli("new -o " + ini).status, 0);
        ASSERT_EQ(::chmod(ini.c_str(), c.mode), 0);
        const CliRun r = Cli("set " + ini + " " + c.setting);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err.find("chmod 600") != std::string::npos, c.warned) << c.setting << " " << r.err;
        EXPECT_EQ(r.err.find("Pw7x9"), std::string::npos);
        struct stat st {};
        ASSERT_EQ(::stat(ini.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.mode);
    }
}
