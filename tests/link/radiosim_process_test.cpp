// talvero-radiosim as a program, the way run.sh starts it for someone without a radio: its
// options, its configuration file, its dumps, and the clean-up of its link when it is stopped.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "platform/unicode.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

int Shell(const std::string& command) {
    const int st = std::system(command.c_str());
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string KeyValueText(CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    std::string text;
    for (const auto& l : lines) {
        text += Utf16ToUtf8(l) + "\n";
    }
    return text;
}

TEST(RadioSimProcess, ServesItsConfigurationAndDumpsWhatItReceives) {
    char tmpl[] = "/tmp/talvero-sim-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    const std::string dir = tmpl;
    const std::string link = dir + "/radio", dump = dir + "/dump.txt", image = dir + "/fw.bin",
                      imageDump = dir + "/fw-dump.bin";

    CTalveroDoc held, sent;
    ASSERT_TRUE(held.Set(u"id_type", 2, u"group") && held.Set(u"id", 2, u"00777"));
    ASSERT_TRUE(sent.Set(u"id_type", 0, u"indi") && sent.Set(u"id", 0, u"00042"));
    ASSERT_TRUE(SaveConfigurationFile(held, dir + "/held.ini").ok());
    ASSERT_TRUE(SaveConfigurationFile(sent, dir + "/sent.ini").ok());
    std::ofstream(image, std::ios::binary) << std::string(161, '\xFE');

    const std::string sim = std::string(TALVERO_BIN_DIR) + "/talvero-radiosim";
    std::vector<std::string> args = {
        sim,  "--link",          link,      "--config",  dir + "/held.ini", "--dump",
        dump, "--firmware-dump", imageDump, "--no-pace", "--model",         "TX-9"};
    std::vector<char*> argv;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, sim.c_str(), nullptr, nullptr, argv.data(), environ), 0);
    for (int i = 0; i < 100 && !fs::is_symlink(link); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_TRUE(fs::is_symlink(link));

    const std::string cli = std::string(TALVERO_BIN_DIR) + "/talvero-cli ";
    const std::string port = " --port " + link + " --speed 1152000 </dev/null";
    EXPECT_EQ(Shell(cli + "info" + port + " | grep -qx 'model: TX-9'"), 0);
    EXPECT_EQ(Shell(cli + "read --no-backup -o " + dir + "/read.ini" + port), 0);
    CTalveroDoc read;
    ASSERT_TRUE(OpenConfigurationFile(read, dir + "/read.ini").ok());
    EXPECT_EQ(KeyValueText(read), KeyValueText(held));

    EXPECT_EQ(Shell(cli + "write " + dir + "/sent.ini" + port), 0);
    EXPECT_EQ(ReadFile(dump), KeyValueText(sent));
    // What a write sent is what the next read returns.
    EXPECT_EQ(Shell(cli + "read --no-backup -o " + dir + "/read.ini" + port), 0);
    ASSERT_TRUE(OpenConfigurationFile(read, dir + "/read.ini").ok());
    EXPECT_EQ(KeyValueText(read), KeyValueText(sent));

    EXPECT_EQ(Shell(cli + "firmware --yes " + image + port), 0);
    std::string padded(161, '\xFE');
    padded.resize(320, '\0');
    EXPECT_TRUE(ReadFile(imageDump) == padded);

    kill(pid, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    fs::remove_all(dir);
}

TEST(RadioSimProcess, RefusesBadOptions) {
    const std::string sim = std::string(TALVERO_BIN_DIR) + "/talvero-radiosim ";
    for (const char* bad :
         {"--status x", "--corrupt-block 0", "--auth 1", "--bogus", "--config /nonexistent.ini"}) {
        EXPECT_NE(Shell(sim + bad + " 2>/dev/null"), 0) << bad;
    }
}

}  // namespace
