// talvero-cli diff, write --verify, read's information and --trace, run as a user runs them:
// against files and the simulated radio, with their output and exit status.
#include <gtest/gtest.h>

#include <fstream>

#include "cli_run.h"
#include "document/config_file.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "link_fixture.h"

namespace {

class CliDiffVerify : public CliTest {
  protected:
    CliRun Cli(const std::string& args) const { return CliTest::Cli(args, "XDG_DATA_HOME=" + dir + "/xdg"); }

    // Saves the defaults with `changes` applied as `name` in the test's folder.
    std::string File(const std::string& name,
                     const std::vector<std::pair<std::u16string, std::u16string>>& changes) {
        CTalveroDoc doc;
        for (const auto& [key, value] : changes) {
            const auto id = FindSettingByKey(key);
            EXPECT_TRUE(id && doc.Set(*id, value)) << std::string(key.begin(), key.end());
        }
        const std::string path = dir + "/" + name;
        EXPECT_TRUE(SaveConfigurationFile(doc, path).ok());
        return path;
    }
};

TEST_F(CliDiffVerify, DiffOfFilePairs) {
    const std::string base = File("base.ini", {});
    struct Case {
        const char* name;
        std::vector<std::pair<std::u16string, std::u16string>> changes;
        int status;
        std::vector<std::string> shown;  // lines or parts the output must hold
        std::vector<std::string> notShown;
    };
    const std::vector<Case> cases = {
        {"equal", {}, 0, {}, {}},
        {"one page",
         {{u"tx_start_indi_tone_01", u"tone3"}},
         1,
         {"[Transmission start tone]",
          "  Individual call (tx_start_indi_tone_01): 'Tone 1 (tone1)' -> 'Tone 3 (tone3)'"},
         {}},
        {"ID list entry",
         {{u"id_type_01_07", u"indi"}, {u"id_01_07", u"00012"}, {u"name_01_07", u"Alice"}},
         1,
         {"[ID list entries]", "  Entry 7: Name (name_01_07): '00001' -> 'Alice'", "(id_01_07): "},
         {"name_01_06"}},
        {"secret",
         {{u"access_pass", u"Topsecret9"}},
         1,
         {"[Access password]", "(access_pass): '' -> '********'"},
         {"Topsecret9"}},
    };
    for (const Case& c : cases) {
        const std::string other = File(std::string(c.name) + ".ini", c.changes);
        const CliRun r = Cli("diff " + base + " '" + other + "'");
        EXPECT_EQ(r.status, c.status) << c.name << "\n" << r.out << r.err;
        if (c.status == 0) {
            EXPECT_EQ(r.out, "") << c.name;
        }
        for (const auto& s : c.shown) {
            EXPECT_NE(r.out.find(s), std::string::npos) << c.name << ": missing " << s << "\n" << r.out;
        }
        for (const auto& s : c.notShown) {
            EXPECT_EQ(r.out.find(s), std::string::npos) << c.name << ": shows " << s << "\n" << r.out;
        }
    }
}

TEST_F(CliDiffVerify, DiffOfMissingOrDamagedFileGivesItsCode) {
    const std::string base = File("base.ini", {});
    std::ofstream(dir + "/damaged.ini", std::ios::binary) << "\xFF\xFE;not a configuration\r\n";
    for (const std::string& bad : {dir + "/missing.ini", dir + "/damaged.ini"}) {
        for (const std::string& args : {base + " " + bad, bad + " " + base}) {
            const CliRun r = Cli("diff " + args);
            EXPECT_EQ(r.status, 12) << args << r.err;
            EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
            EXPECT_EQ(r.out, "");
        }
    }
    EXPECT_EQ(Cli("diff").status, 2);
    EXPECT_EQ(Cli("diff " + base + " " + base + " " + base).status, 2);
    EXPECT_EQ(Cli("diff " + base + " " + base + " --port /dev/null").status, 2);
}

TEST_F(CliDiffVerify, DiffWithTheRadio) {
    CTalveroDoc radio;
    ASSERT_TRUE(radio.Set(u"tx_start_indi_tone", u"tone5"));
    std::vector<std::u16string> lines;
    radio.RenderSettings(lines, false);
    RadioSimOptions o = FastRadio();
    o.configText = CloneTextOfLines(lines);
    auto sim = StartRadio(o);
    const std::string same = File("same.ini", {{u"tx_start_indi_tone_01", u"tone5"}});
    const std::string other = File("other.ini", {{u"wlan_ssid_01", u"office"}});

    CliRun r = Cli("diff " + same + " --speed 1152000 --port " + sim->Path() + " --timeout 1500");
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    r = Cli("diff " + other + " --speed 1152000 --port " + sim->Path() + " --timeout 1500");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.out.find("(tx_start_indi_tone_01): 'Tone 1 (tone1)' -> 'Tone 5 (tone5)'"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("(wlan_ssid_01): 'office' -> ''"), std::string::npos) << r.out;
}

TEST_F(CliDiffVerify, WriteVerifyAndTrace) {
    const std::string file =
        File("w.ini", {{u"access_pass", u"Acc3ssPw"}, {u"tx_start_indi_tone_01", u"tone3"}});
    {
        auto sim = StartRadio(FastRadio());
        const std::string trace = dir + "/w.trace";
        const CliRun r =
            Cli("write " + file + " --verify --speed 1152000 --port " + sim->Path() + " --trace " + trace);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("verified"), std::string::npos) << r.out;
        const std::string text = TempDir::ReadBytes(trace);
        EXPECT_NE(text.find("  E3  12  "), std::string::npos);  // the write
        EXPECT_NE(text.find("  E2  12  "), std::string::npos);  // the read-back
        EXPECT_EQ(text.find("Acc3ssPw"), std::string::npos);
    }
    {
        RadioSimOptions o = FastRadio();
        o.alterStoredBlock = 1;
        auto sim = StartRadio(o);
        // A trace that cannot be written: the write goes on, the failure is told once.
        const CliRun r = Cli("write " + file + " --verify --speed 1152000 --port " + sim->Path() +
                             " --trace " + dir + "/none/w.trace");
        EXPECT_EQ(r.status, 16) << r.err;
        EXPECT_NE(r.err.find("written, but the radio holds 1 settings differently"), std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("written '"), std::string::npos) << r.err;
        size_t warnings = 0;
        for (size_t at = r.err.find("no trace kept"); at != std::string::npos;
             at = r.err.find("no trace kept", at + 1)) {
            ++warnings;
        }
        EXPECT_EQ(warnings, 1u) << r.err;
    }
}

}  // namespace
