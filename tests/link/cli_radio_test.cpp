// talvero-cli's radio commands, run as a process against a simulated radio: what they print, what
// they write, and the exit status of each kind of failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "cli_run.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "link_fixture.h"

namespace fs = std::filesystem;

namespace {

class CliRadio : public CliTest {
  protected:
    // The tool keeps its settings under XDG_DATA_HOME: the test's own folder.
    CliRun Cli(const std::string& args, const std::string& env = "") const {
        return CliTest::Cli(args, "XDG_DATA_HOME=" + dir + "/xdg " + env);
    }
};

std::vector<std::u16string> RadioLines(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return lines;
}

TEST_F(CliRadio, InfoReadWriteInitFirmware) {
    CTalveroDoc changed;
    ASSERT_TRUE(changed.Set(u"id_type", 0, u"indi"));
    ASSERT_TRUE(changed.Set(u"id", 0, u"00012"));
    RadioSimOptions o = FastRadio();
    o.configText = CloneTextOfLines(RadioLines(changed));
    o.auth = "1";
    o.password = "pw";
    o.iccid = "8981100000000000001";
    auto sim = StartRadio(o);
    // The fastest rate keeps the paced writes short; the simulated radio does not pace here.
    const std::string port = " --port " + sim->Path() + " --speed 1152000 --password pw";

    CliRun info = Cli("info" + port);
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "model: TLV-700\nversion: 1.00.00\nbluetooth version: 2.10\n");

    const std::string ini = dir + "/read.ini";
    CliRun read = Cli("read -o " + ini + port);
    ASSERT_EQ(read.status, 0) << read.err;
    // One summary line: what, which radio on which port, how long, which file.
    EXPECT_EQ(read.out.rfind("read: TLV-700 on " + sim->Path() + ": ", 0), 0u) << read.out;
    EXPECT_NE(read.out.find(" settings read into " + ini + " in "), std::string::npos) << read.out;
    EXPECT_EQ(Cli("read --quiet --no-backup -o " + ini + port).out, "");
    CTalveroDoc doc;
    ASSERT_TRUE(OpenConfigurationFile(doc, ini).ok());
    EXPECT_EQ(RadioLines(doc), RadioLines(changed));
    // The backup and, beside it, the radio's own text, which keeps what the file form does not.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/xdg/Talvero/backups"), fs::directory_iterator()),
              2);
    EXPECT_NE(read.out.find("model: TLV-700\n"), std::string::npos) << read.out;
    // What the radio sent, and no empty line for what it did not.
    EXPECT_NE(read.out.find("ICCID: 8981100000000000001\n"), std::string::npos) << read.out;
    EXPECT_EQ(read.out.find("IMEI: \n"), std::string::npos) << read.out;
    EXPECT_EQ(read.out.find("number: \n"), std::string::npos) << read.out;

    CTalveroDoc defaults;
    const std::string defaultsIni = dir + "/defaults.ini";
    ASSERT_TRUE(SaveConfigurationFile(defaults, defaultsIni).ok());
    CliRun write = Cli("write " + defaultsIni + port);
    ASSERT_EQ(write.status, 0) << write.err;
    EXPECT_EQ(sim->StoredText(), CloneTextOfLines(RadioLines(defaults)));

    CliRun wlan = Cli("write " + defaultsIni + " --wlan-only" + port);
    ASSERT_EQ(wlan.status, 0) << wlan.err;
    defaults.m_wlanOnly = 1;
    EXPECT_EQ(sim->StoredText(), CloneTextOfLines(RadioLines(defaults)));

    // Nothing changes on the radio without a terminal to confirm on, unless --yes is given.
    const size_t framesBefore = sim->ReceivedFrames().size();
    CliRun unconfirmed = Cli("init" + port);
    EXPECT_EQ(unconfirmed.status, 2);
    EXPECT_NE(unconfirmed.err.find("--yes"), std::string::npos) << unconfirmed.err;
    EXPECT_EQ(sim->ReceivedFrames().size(), framesBefore);
    CliRun init = Cli("init --yes" + port);
    ASSERT_EQ(init.status, 0) << init.err;
    EXPECT_NE(init.out.find("init: TLV-700 on " + sim->Path() + ": initialised in "), std::string::npos);
    EXPECT_EQ(KeyValueLinesOfCloneText(sim->StoredText()), "init=0x0E\n");

    const std::string image = dir + "/image.bin";
    std::ofstream(image, std::ios::binary) << std::string(16001, '\xFD');
    EXPECT_EQ(Cli("firmware " + image + port).status, 2);
    CliRun firmware = Cli("firmware " + image + " --yes" + port);
    ASSERT_EQ(firmware.status, 0) << firmware.err;
    EXPECT_EQ(sim->FirmwareImage().substr(0, 16001), std::string(16001, '\xFD'));
}

// The port found by a search serves every command given no --port.
// What a radio reports is outside text: a model or an ICCID with terminal escapes is printed
// escaped, never obeyed, and a huge one is cut.
TEST_F(CliRadio, RadioTextIsPrintedEscaped) {
    RadioSimOptions o = FastRadio();
    o.model = "TLV\x1B[31m-700";
    o.ver = std::string(300, '9');
    o.iccid = "89\x1B[2J\x1B]0;owned\x07";
    auto sim = StartRadio(o);
    const std::string port = " --port " + sim->Path() + " --speed 1152000";
    const CliRun info = Cli("info" + port);
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "model: TLV\\e[31m-700\nversion: " + std::string(64, '9') +
                            "\u2026\nbluetooth version: 2.10\n");
    const CliRun read = Cli("read --no-backup -o " + dir + "/r.ini" + port);
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_EQ(read.out.find('\x1B'), std::string::npos) << read.out;
    EXPECT_NE(read.out.find("ICCID: 89\\e[2J\\e]0;owned\\x07\n"), std::string::npos) << read.out;
}

TEST_F(CliRadio, PortsAndSearch) {
    RadioSimOptions rental = FastRadio();
    rental.rental = "1";
    auto refused = StartRadio(rental);
    auto radio = StartRadio(FastRadio());
    const std::string env = "TALVERO_EXTRA_PORTS=" + refused->Path() + ":" + radio->Path();
    CliRun ports = Cli("ports", env);
    EXPECT_EQ(ports.status, 0);
    EXPECT_NE(ports.out.find(radio->Path() + "\t"), std::string::npos);
    EXPECT_NE(ports.out.find(refused->Path() + "\t"), std::string::npos);

    CliRun search = Cli("search --speed 9600 --timeout 300", env);
    EXPECT_EQ(search.status, 0) << search.err;
    EXPECT_EQ(search.out, radio->Path() + "\n");

    CliRun info = Cli("info --speed 9600 --timeout 300", env);
    EXPECT_EQ(info.status, 0) << info.err;

    CliRun none = Cli("search --speed 9600 --timeout 300", "TALVERO_EXTRA_PORTS=" + refused->Path());
    EXPECT_EQ(none.status, 11);
    EXPECT_NE(none.err.find("no radio found"), std::string::npos);
}

// Each kind of failure has its own exit status, and a failed read leaves the output file alone.
TEST_F(CliRadio, FailuresAndExitStatus) {
    const std::string ini = dir + "/keep.ini";
    std::ofstream(ini) << "what was there before";
    CTalveroDoc duplicate;
    ASSERT_TRUE(duplicate.Set(u"id_type", 0, u"indi") && duplicate.Set(u"id", 0, u"00012"));
    ASSERT_TRUE(duplicate.Set(u"id_type", 5, u"indi") && duplicate.Set(u"id", 5, u"00012"));
    const std::string dupIni = dir + "/dup.ini";
    ASSERT_TRUE(SaveConfigurationFile(duplicate, dupIni).ok());
    const std::string big = dir + "/big.bin";
    std::ofstream(big, std::ios::binary).close();
    fs::resize_file(big, kMaxFirmwareSize + 1);

    struct Case {
        const char* what;
        std::function<void(RadioSimOptions&)> radio;
        std::string args;
        int status;
        const char* message;
    } cases[] = {
        {"silent radio", [](auto& o) { o.silentAfter = 1; }, "read -o " + ini, 3, "time-out"},
        {"wrong password", [](auto& o) { o.auth = "1", o.password = "pw"; },
         "read -o " + ini + " --password no", 4, "refused the password"},
        {"password needed, no terminal", [](auto& o) { o.auth = "1", o.password = "pw"; }, "read -o " + ini,
         4, "--password-file or --password-stdin"},
        {"block check refused", [](auto& o) { o.corruptBlock = 1; }, "read -o " + ini, 5, "refused the data"},
        {"bad checksum", [](auto& o) { o.badTotalCrc = true; }, "read -o " + ini, 6, "checksum"},
        {"other device", [](auto& o) { o.code = "ZZ"; }, "read -o " + ini, 7, "refused radio"},
        {"rental unit", [](auto& o) { o.rental = "2"; }, "info", 7, "rental"},
        {"babbling radio", [](auto& o) { o.babble = true; }, "info", 3, "time-out"},
        {"radio reports failure", [](auto& o) { o.status = 1; }, "init --yes", 5, "status 1"},
        {"duplicate ID entry", [](auto&) {}, "write " + dupIni, 13, "entry 6"},
        {"firmware too large", [](auto&) {}, "firmware " + big, 12, "16777216"},
        {"unreadable configuration", [](auto&) {}, "write " + dir + "/none.ini", 12, "none.ini"},
        {"no such port", [](auto&) {}, "info --port " + dir + "/ttyUSB7", 10, "not present"},
        {"output folder missing", [](auto&) {}, "read -o " + dir + "/no/such/dir/x.ini", 12,
         "cannot write in"},
        {"not a serial port", [](auto&) {}, "info --port " + ini, 10, "not a serial port"},
        {"bad speed", [](auto&) {}, "info --speed 0", 2, "--speed"},
    };
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.configText = CloneTextOfLines({u"a=1"});
        c.radio(o);
        auto sim = StartRadio(o);
        const std::string args =
            c.args.find("--port") == std::string::npos ? c.args + " --port " + sim->Path() : c.args;
        CliRun run = Cli(args + " --speed 9600 --timeout 300");
        EXPECT_EQ(run.status, c.status) << c.what << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.what << ": " << run.err;
        EXPECT_EQ(ReadBytes(ini), "what was there before") << c.what;
        if (c.status == 13 || c.status == 12) {
            EXPECT_TRUE(sim->ReceivedFrames().empty()) << c.what;  // refused before the radio is touched
        }
    }
}

}  // namespace

namespace {

// Every way to give the password: a file's first line and standard input's (neither seen in the
// process list), and the command line; a refused or endless one is never echoed and never read
// further than a password could reach.
TEST_F(CliRadio, PasswordFromFileStdinOrCommandLine) {
    RadioSimOptions o = FastRadio();
    o.configText = CloneTextOfLines({u"a=1"});
    o.auth = "1";
    o.password = "pw";
    auto sim = StartRadio(o);
    Write("pw.txt", "pw\r\nignored second line\n");
    Write("wrong.txt", "Wr0ngPassw0rdXyz\n");
    Write("empty.txt", "");
    // Two megabytes on one line: refused after the first kilobyte, as standard input or a file.
    Write("huge.txt", std::string(2 << 20, 'Q'));
    struct Case {
        std::string input;  // shell words before the command: what standard input holds
        std::string args;
        int status;
        const char* says;  // on standard error; empty: success
    };
    const Case cases[] = {
        {"", "read -o " + dir + "/r.ini --password-file " + dir + "/pw.txt", 0, ""},
        {"printf 'pw\\n' |", "read -o " + dir + "/r.ini --password-stdin", 0, ""},
        {"", "read -o " + dir + "/r.ini --password pw", 0, ""},
        {"", "read -o " + dir + "/r.ini --password-file " + dir + "/wrong.txt", 4, "refused the password"},
        {"", "read -o " + dir + "/r.ini --password-file " + dir + "/none.txt", 12, "none.txt"},
        {"", "read -o " + dir + "/r.ini --password-file " + dir + "/empty.txt", 2, "1 to 16 printable"},
        {"", "read -o " + dir + "/r.ini --password-file " + dir + "/huge.txt", 2, "1 to 16 printable"},
        {"cat " + dir + "/huge.txt |", "read -o " + dir + "/r.ini --password-stdin", 2, "no password"},
        {"true |", "read -o " + dir + "/r.ini --password-stdin", 2, "holds no line"},
        {"", "read -o " + dir + "/r.ini --password pw --password-file " + dir + "/pw.txt", 2,
         "give the password once"},
    };
    for (const Case& c : cases) {
        const std::string errFile = dir + "/pw.err";
        const std::string cmd = c.input + " " + TALVERO_BIN_DIR + "/talvero-cli " + c.args + " --port " +
                                sim->Path() + " --speed 9600 --timeout 300 >/dev/null 2>'" + errFile + "'" +
                                (c.input.empty() ? " </dev/null" : "");
        const int st = std::system(cmd.c_str());
        const std::string err = ReadBytes(errFile);
        EXPECT_EQ(WIFEXITED(st) ? WEXITSTATUS(st) : -1, c.status) << c.args << ": " << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << c.args << ": " << err;
        for (const char* secret : {"Wr0ng", "QQQQ"}) {
            EXPECT_EQ(err.find(secret), std::string::npos) << c.args << ": " << err;
        }
    }
    // The help says which way is seen by other users.
    const CliRun help = Cli("read --help");
    EXPECT_NE(help.out.find("--password-stdin"), std::string::npos);
    EXPECT_NE(help.out.find("every local user can"), std::string::npos);
}

// A port another program holds is tried for about ten seconds, then reported as busy.
TEST_F(CliRadio, BusyPort) {
    auto sim = StartRadio(FastRadio());
    ESerialPort holder;
    ASSERT_EQ(holder.Open(sim->Path()), kErrSuccess);
    CliRun run = Cli("info --speed 9600 --port " + sim->Path());
    EXPECT_EQ(run.status, 8) << run.err;
    EXPECT_NE(run.err.find("port busy"), std::string::npos) << run.err;
    EXPECT_TRUE(sim->ReceivedFrames().empty());
}

}  // namespace

namespace {

// On a terminal the radio's password is asked without echo, and a progress bar is drawn.
TEST_F(CliRadio, PasswordPromptAndProgressOnATerminal) {
    RadioSimOptions o = FastRadio();
    o.auth = "1";
    o.password = "s3cret";
    auto sim = StartRadio(o);
    const std::string cli = std::string(TALVERO_BIN_DIR) + "/talvero-cli";
    const std::string out = dir + "/t.ini";
    // Everything the child needs is built before the fork: it only calls execve.
    std::vector<std::string> args = {cli, "read", "-o", out, "--port", sim->Path(), "--speed", "9600"};
    std::vector<std::string> env = {"XDG_DATA_HOME=" + dir + "/xdg", "TERM=dumb"};
    std::vector<char*> argv, envp;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        execve(cli.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    std::string screen;
    bool answered = false;
    char buf[512];
    for (;;) {
        const ssize_t n = read(master, buf, sizeof buf);
        if (n <= 0) {
            break;  // the program ended and closed the terminal
        }
        screen.append(buf, static_cast<size_t>(n));
        if (!answered && screen.find("Radio password: ") != std::string::npos) {
            answered = true;
            const char answer[] = "s3cret\n";
            ASSERT_EQ(write(master, answer, sizeof answer - 1), static_cast<ssize_t>(sizeof answer - 1));
        }
    }
    close(master);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << screen;
    EXPECT_TRUE(answered) << screen;
    EXPECT_EQ(screen.find("s3cret"), std::string::npos) << screen;  // not echoed
    // The bar names the phase and its share only grows, to the full read.
    EXPECT_NE(screen.find("100% reading block"), std::string::npos) << screen;
    int last = -1;
    for (size_t at = screen.find("% reading"); at != std::string::npos;
         at = screen.find("% reading", at + 1)) {
        const int percent = std::stoi(screen.substr(at - 3, 3));
        EXPECT_GE(percent, last) << screen;
        last = percent;
    }
    EXPECT_TRUE(fs::exists(out));
}

}  // namespace

namespace {

// talvero-cli started on a new pseudo-terminal; `master` is the terminal's other end.
pid_t StartOnTerminal(std::vector<std::string> args, std::vector<std::string> env, int& master) {
    std::vector<char*> argv, envp;
    for (auto& a : args) {
        argv.push_back(a.data());
    }
    for (auto& e : env) {
        envp.push_back(e.data());
    }
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    return pid;
}

// Reads the terminal until `text` appears or the program closes it.
bool WaitFor(int master, const std::string& text, std::string& screen) {
    char buf[512];
    while (screen.find(text) == std::string::npos) {
        const ssize_t n = read(master, buf, sizeof buf);
        if (n <= 0) {
            return false;
        }
        screen.append(buf, static_cast<size_t>(n));
    }
    return true;
}

// Ctrl+C at the password prompt ends the tool by the signal and leaves the terminal echoing.
TEST_F(CliRadio, InterruptedPasswordPromptRestoresTheTerminal) {
    RadioSimOptions o = FastRadio();
    o.auth = "1";
    o.password = "pw";
    auto sim = StartRadio(o);
    const std::string cli = std::string(TALVERO_BIN_DIR) + "/talvero-cli";
    int master = -1;
    const pid_t pid =
        StartOnTerminal({cli, "read", "-o", dir + "/t.ini", "--port", sim->Path(), "--speed", "9600"},
                        {"XDG_DATA_HOME=" + dir + "/xdg", "TERM=dumb"}, master);
    ASSERT_GE(pid, 0);
    // The terminal outlives the tool while this end holds it open.
    const int terminal = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    std::string screen;
    ASSERT_TRUE(WaitFor(master, "Radio password: ", screen)) << screen;
    // The prompt is written before the echo is switched off: wait until it is.
    termios t{};
    for (int i = 0; i < 200 && tcgetattr(terminal, &t) == 0 && (t.c_lflag & ECHO); ++i) {
        usleep(5000);
    }
    ASSERT_FALSE(t.c_lflag & ECHO);
    const char interrupt = '\x03';
    ASSERT_EQ(write(master, &interrupt, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    ASSERT_EQ(tcgetattr(terminal, &t), 0);
    EXPECT_TRUE(t.c_lflag & ECHO);
    close(terminal);
    close(master);
    EXPECT_FALSE(fs::exists(dir + "/t.ini"));
}

// On a terminal the initialisation is asked, with No the answer to a bare Enter.
TEST_F(CliRadio, InitialisationAskedOnATerminal) {
    auto sim = StartRadio(FastRadio());
    const std::string cli = std::string(TALVERO_BIN_DIR) + "/talvero-cli";
    for (const char* answer : {"\n", "y\n"}) {
        int master = -1;
        const pid_t pid = StartOnTerminal({cli, "init", "--port", sim->Path(), "--speed", "1152000"},
                                          {"XDG_DATA_HOME=" + dir + "/xdg", "TERM=dumb"}, master);
        ASSERT_GE(pid, 0);
        std::string screen;
        ASSERT_TRUE(WaitFor(master, "[y/N] ", screen)) << screen;
        ASSERT_EQ(write(master, answer, strlen(answer)), static_cast<ssize_t>(strlen(answer)));
        WaitFor(master, "\x01", screen);  // to the end
        close(master);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        const bool yes = answer[0] == 'y';
        EXPECT_EQ(WEXITSTATUS(status), yes ? 0 : 15) << screen;
        EXPECT_EQ(sim->ReceivedFrames().empty(), !yes) << screen;
    }
}

// A port that appears while the ports are watched is printed as it comes, and one that goes away
// as it goes.
TEST_F(CliRadio, WatchPortsSeesAPortComeAndGo) {
    const std::string cable = dir + "/ttyUSB5";
    std::thread plug([&] {
        usleep(500 * 1000);
        std::ofstream(cable) << "";
        usleep(600 * 1000);
        fs::remove(cable);
    });
    CliRun run = Cli("ports --watch --for 2", "TALVERO_EXTRA_PORTS=" + cable);
    plug.join();
    EXPECT_EQ(run.status, 0) << run.err;
    const size_t came = run.out.find("+ " + cable + "\t");
    const size_t went = run.out.find("- " + cable + "\n");
    EXPECT_NE(came, std::string::npos) << run.out;
    EXPECT_NE(went, std::string::npos) << run.out;
    EXPECT_LT(came, went);
    EXPECT_EQ(Cli("ports --for 2").status, 2);
}

}  // namespace
