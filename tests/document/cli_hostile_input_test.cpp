// talvero-cli against hostile input: outputs that are not files, a trace named like a file of the
// command, outside text with terminal escapes and of any length, ID list files that would lose
// text, and two commands changing one file at once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "cli_run.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "platform/output_target.h"

namespace {

namespace fs = std::filesystem;

class CliHostile : public CliTest {
  protected:
    void SetUp() override { ASSERT_EQ(Cli("new -o " + dir + "/t.ini").status, 0); }
    static bool IsFifo(const std::string& path) {
        struct stat st {};
        return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
    }
};

TEST_F(CliHostile, OutputsThatAreNotFilesAreRefused) {
    const std::string fifo = dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("fifo", (dir + "/link").c_str()), 0);
    Write("in.csv", "1,x\r\n");
    const std::string t = dir + "/t.ini";
    const std::string before = ReadBytes(t);
    const struct {
        std::string args;
        const char* kind;
    } cases[] = {
        {"new -o " + fifo, "a FIFO"},
        {"new -o " + dir, "a folder"},
        {"set " + t + " disp_name_01=x -o " + fifo, "a FIFO"},
        {"set " + t + " disp_name_01=x -o " + dir + "/link", "a FIFO"},
        {"idlist export " + t + " " + fifo, "a FIFO"},
        {"idlist import " + t + " " + dir + "/in.csv -o " + fifo, "a FIFO"},
        {"cert delete " + t + " 1 -o " + fifo, "a FIFO"},
        {"read -o " + fifo + " --port " + dir + "/none", "a FIFO"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(std::string("not a regular file (") + c.kind + ")"), std::string::npos)
            << c.args << ": " << r.err;
        EXPECT_TRUE(IsFifo(fifo)) << c.args;
    }
    EXPECT_EQ(ReadBytes(t), before);
}

TEST_F(CliHostile, ATraceNamingAFileOfTheCommandIsRefused) {
    const std::string t = dir + "/t.ini";
    const std::string before = ReadBytes(t);
    ASSERT_EQ(::link(t.c_str(), (dir + "/hard.ini").c_str()), 0);
    Write("fw.bin", "firmware");
    const struct {
        std::string args;
    } cases[] = {
        {"write " + t + " --trace " + t},
        {"write " + t + " --trace " + dir + "/./t.ini"},
        {"write " + t + " --trace " + dir + "/hard.ini"},
        {"diff " + t + " --trace " + t},
        {"read -o " + dir + "/new.ini --trace " + dir + "/new.ini"},
        {"firmware " + dir + "/fw.bin --yes --trace " + dir + "/fw.bin"},
        {"info --port " + dir + "/fw.bin --trace " + dir + "/fw.bin"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.status, 2) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find("which this command reads or writes"), std::string::npos)
            << c.args << ": " << r.err;
    }
    EXPECT_EQ(ReadBytes(t), before);
    EXPECT_EQ(ReadBytes(dir + "/fw.bin"), "firmware");
    EXPECT_FALSE(fs::exists(dir + "/new.ini"));
}

TEST_F(CliHostile, OutsideTextIsPrintedEscapedAndCut) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 0, u"net\x1B[2J\x1B]0;owned\x07"));
    const std::string path = dir + "/esc.ini";
    ASSERT_TRUE(SaveConfigurationFile(doc, path).ok());
    const CliRun show = Cli("show " + path);
    EXPECT_EQ(show.status, 0);
    EXPECT_EQ(show.out.find('\x1B'), std::string::npos);
    EXPECT_NE(show.out.find("wlan_ssid_01=net\\e[2J\\e]0;owned\\x07\n"), std::string::npos) << show.out;

    // A refused value is repeated cut to 64 characters, escapes and all.
    const CliRun set =
        Cli("set " + path + " \"def_id_01=$(printf '\\033[31m')" + std::string(5000, '7') + "\"");
    EXPECT_EQ(set.status, 1);
    EXPECT_EQ(set.err.find('\x1B'), std::string::npos) << set.err;
    EXPECT_NE(set.err.find("'\\e[31m" + std::string(59, '7') + "\u2026'"), std::string::npos) << set.err;
    EXPECT_LT(set.err.size(), 400u);
    const CliRun unknown = Cli("set " + path + " \"$(printf 'k\\033[2J')=1\"");
    EXPECT_NE(unknown.err.find("unknown key 'k\\e[2J'"), std::string::npos) << unknown.err;
}

TEST_F(CliHostile, IdListFilesThatWouldLoseTextAreRefused) {
    const std::string t = dir + "/t.ini";
    const std::string before = ReadBytes(t);
    const struct {
        const char* what;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"NUL", std::string("1,a\r\n2,b\0c\r\n", 11), "Line 2"},
        {"a byte of no code page", std::string("1,a\r\n;\r\n3,Al\xFFice\r\n"), "Line 3"},
        {"UTF-8 mark, then a broken sequence",
         std::string("\xEF\xBB\xBF"
                     "1,\xE3\x81\r\n"),
         "Line 1"},
    };
    for (const auto& c : cases) {
        const CliRun r = Cli("idlist import " + t + " " + Write("bad.csv", c.bytes), "TALVERO_LANG=0x0409");
        EXPECT_EQ(r.status, 1) << c.what;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.what << ": " << r.err;
        EXPECT_NE(r.err.find("The ID list is unchanged"), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(ReadBytes(t), before) << c.what;
    }
}

// Several `set` runs on one file at once: each waits for the one before, so every value is kept.
TEST_F(CliHostile, SetsAtOnceAllCount) {
    const std::string t = dir + "/t.ini";
    constexpr int kRuns = 6;
    std::vector<std::thread> runs;
    std::vector<int> status(kRuns, -1);
    for (int i = 0; i < kRuns; ++i) {
        fs::create_directory(dir + "/run" + std::to_string(i));
        runs.emplace_back([&, i] {
            status[i] = RunCli(dir + "/run" + std::to_string(i),
                               "set " + t + " msg_01_0" + std::to_string(i + 1) + "=v" + std::to_string(i))
                            .status;
        });
    }
    for (auto& r : runs) {
        r.join();
    }
    const std::string shown = Cli("show " + t).out;
    for (int i = 0; i < kRuns; ++i) {
        EXPECT_EQ(status[i], 0) << i;
        EXPECT_NE(shown.find("msg_01_0" + std::to_string(i + 1) + "=v" + std::to_string(i) + "\n"),
                  std::string::npos)
            << i;
    }
}

// True once /proc/locks shows a process waiting for a lock on the file.
bool SomeoneWaitsFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    std::ifstream locks("/proc/locks");
    std::string line;
    const std::string inode = ":" + std::to_string(st.st_ino) + " ";
    while (std::getline(locks, line)) {
        if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// A `set` that finds the file locked says so, waits, and applies its value to what the holder
// saved (a new file renamed over the old one, as every save does).
TEST_F(CliHostile, ASetWaitsForTheHolderAndSaysSo) {
    const std::string t = dir + "/t.ini";
    FileUpdateLock held;
    ASSERT_TRUE(held.Lock(t).ok());
    ASSERT_TRUE(held.Locked());
    fs::create_directory(dir + "/second");
    CliRun second{};
    std::thread run(
        [&] { second = RunCli(dir + "/second", "set " + t + " def_id_01=5", "TALVERO_LANG=0x0409"); });
    for (int i = 0; i < 12000 && !SomeoneWaitsFor(t); ++i) {
        ::usleep(10 * 1000);  // a bound against a hang only: the order is set by the lock
    }
    EXPECT_TRUE(SomeoneWaitsFor(t));
    CTalveroDoc doc;
    ASSERT_TRUE(OpenConfigurationFile(doc, t).ok());
    ASSERT_TRUE(doc.Set(u"disp_name", u"first"));
    ASSERT_TRUE(SaveConfigurationFile(doc, t).ok());
    held.Unlock();
    run.join();
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.err.find("is being changed by another process"), std::string::npos) << second.err;
    const std::string shown = Cli("show " + t).out;
    EXPECT_NE(shown.find("disp_name_01=first\n"), std::string::npos);
    EXPECT_NE(shown.find("def_id_01=00005\n"), std::string::npos);
}

}  // namespace
