#include "radio_host.h"

#include <errno.h>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "commands.h"
#include "link/clone_progress.h"
#include "platform/posix/port_access.h"
#include "platform/secret_wipe.h"
#include "platform/unicode.h"

const char kRadioExitHelp[] =
    "exit status:\n"
    "   0  success\n"
    "   1  any other failure\n"
    "   2  wrong arguments, or init/firmware without a terminal to confirm on and without --yes\n"
    "   3  time-out: the radio did not answer\n"
    "   4  the radio refused the password, or wants one and none could be asked for\n"
    "   5  the radio refused the data (block checks failed too often, or it reported a failure)\n"
    "   6  checksum mismatch in what the radio sent\n"
    "   7  refused radio: not a supported device, or a rental unit\n"
    "   8  port busy: another program holds it\n"
    "   9  permission denied on the port\n"
    "  10  port not present, or not a serial port\n"
    "  11  no radio found on any port\n"
    "  12  file error (configuration or firmware file unreadable, refused or not writable)\n"
    "  13  the ID list holds a duplicate entry\n"
    "  14  the radio went away during the operation\n"
    "  15  cancelled at the password prompt or at a confirmation\n"
    "  16  write --verify: written, but the radio holds different values (listed on stderr)\n"
    "  17  write --verify: written, but the configuration could not be read back\n"
    "  18  write: the file holds values its pages would not accept (listed on stderr); nothing was\n"
    "      sent (--allow-refused-values writes them anyway)\n";

const char kExitStatusPointer[] = "exit status: as listed by 'talvero-cli --help'\n";

namespace {

const char* PhaseName(ClonePhase phase) {
    switch (phase) {
        case ClonePhase::kChecking:
            return "checking the radio";
        case ClonePhase::kSearching:
            return "searching";
        case ClonePhase::kConnecting:
            return "connecting";
        case ClonePhase::kReading:
            return "reading";
        case ClonePhase::kWriting:
            return "writing";
        case ClonePhase::kConfirming:
            return "waiting for the radio to confirm";
        case ClonePhase::kVerifying:
            return "verifying";
        case ClonePhase::kUpdating:
            return "updating firmware";
    }
    return "working";
}

// Draws "[####      ]  40% reading block 3 of 12" on one terminal line; nothing when stderr is not
// a terminal. A wait with nothing to measure shows its phase without a share.
class ProgressBar {
  public:
    ProgressBar(const CloneJob& job, int32_t rangeMax)
        : m_figures(job.type, rangeMax, job.expectedTextBytes, job.link ? job.link->m_comSpeed : 0,
                    job.verifying),
          m_active(::isatty(STDERR_FILENO) == 1) {
        Draw();
    }
    ~ProgressBar() {
        if (m_active) {
            std::fprintf(stderr, "\r%*s\r", 72, "");
        }
    }
    void Set(uint32_t value) {
        m_figures.Feed(value);
        Draw();
    }
    void Finish() {
        m_figures.Finish();
        Draw();
    }

  private:
    void Draw() {
        if (!m_active) {
            return;
        }
        const CloneProgressFigures& f = m_figures.Figures();
        std::string what = PhaseName(f.phase);
        if (f.block > 0) {
            what += " block " + std::to_string(f.block);
            if (f.blocks > 0) {
                what += (f.blocksExact ? " of " : " of about ") + std::to_string(f.blocks);
            }
        } else if (f.ports > 0) {
            what += " port " + std::to_string(f.port) + " of " + std::to_string(f.ports);
        }
        if (f.percent < 0) {
            std::fprintf(stderr, "\r[%20s]      %-44s", "", what.c_str());
        } else {
            const int filled = f.percent / 5;
            std::fprintf(stderr, "\r[%.*s%*s] %3d%% %-44s", filled, "####################", 20 - filled, "",
                         f.percent, what.c_str());
        }
        std::fflush(stderr);
    }
    CCloneProgress m_figures;
    bool m_active;
};

// The terminal whose echo is off while a password is typed, and its settings before. A signal
// that ends the program meanwhile (Ctrl+C, a closed terminal, kill) must not leave the shell
// without echo: its handler puts the settings back, then lets the signal do what it would have done.
volatile sig_atomic_t g_hiddenTty = -1;
struct termios g_savedTty;
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

extern "C" void RestoreTerminalAndReraise(int sig) {
    if (g_hiddenTty >= 0) {
        ::tcsetattr(g_hiddenTty, TCSANOW, &g_savedTty);  // async-signal-safe
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// Echo off on `tty` for as long as it lives, and back on whichever way the program ends.
class HiddenInput {
  public:
    HiddenInput(int tty, const struct termios& saved) {
        g_savedTty = saved;
        g_hiddenTty = tty;
        struct sigaction action {};
        action.sa_handler = RestoreTerminalAndReraise;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
            ::sigaction(kEndingSignals[i], &action, &m_previous[i]);
        }
        struct termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    ~HiddenInput() {
        ::tcsetattr(g_hiddenTty, TCSANOW, &g_savedTty);
        g_hiddenTty = -1;
        for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
            ::sigaction(kEndingSignals[i], &m_previous[i], nullptr);
        }
    }
    HiddenInput(const HiddenInput&) = delete;
    HiddenInput& operator=(const HiddenInput&) = delete;

  private:
    struct sigaction m_previous[std::size(kEndingSignals)]{};
};

// The controlling terminal for a question, or -1 when the tool runs without one (stdin not a
// terminal counts as none: a script is feeding it).
int OpenTerminal() {
    if (::isatty(STDIN_FILENO) != 1) {
        return -1;
    }
    return ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
}

// No password the radio takes comes near this; a longer line is no password.
constexpr size_t kLongestPasswordLine = 1024;

// One line from the terminal; false at the end of input (or a line far beyond any password).
bool ReadTerminalLine(int tty, std::string& line) {
    return ReadBoundedLine(tty, kLongestPasswordLine, line) == LineRead::Line;
}

bool IsRadioPassword(const std::string& text) {
    return !text.empty() && text.size() <= 16 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

}  // namespace

const char kPasswordOptionsHelp[] =
    "  --password-file FILE  the radio's password: the first line of FILE\n"
    "  --password-stdin      the radio's password: the first line of standard input\n"
    "  --password TEXT       the radio's password on the command line, where every local user can\n"
    "                        read it in the process list: prefer the two above\n";

LineRead ReadBoundedLine(int fd, size_t limit, std::string& line) {
    WipeSecret(line);
    line.reserve(64);
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            WipeSecret(line);
            return LineRead::Failed;
        }
        if (n == 0) {
            return line.empty() ? LineRead::End : LineRead::Line;
        }
        if (c == '\n') {
            break;
        }
        if (line.size() >= limit) {
            WipeSecret(line);
            return LineRead::TooLong;
        }
        line.push_back(c);
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return LineRead::Line;
}

bool IsPasswordOption(const std::string& arg) {
    return arg == "--password" || arg == "--password-file" || arg == "--password-stdin";
}

bool TakePasswordOption(const std::string& command, const std::vector<std::string>& args, size_t& i,
                        std::optional<std::u16string>& password, int& status) {
    const std::string& option = args[i];
    if (password) {
        status = Fail(command + ": give the password once (see --help)", kExitUsage);
        return false;
    }
    std::string text;
    if (option == "--password-stdin") {
        const LineRead r = ReadBoundedLine(STDIN_FILENO, kLongestPasswordLine, text);
        if (r != LineRead::Line) {
            status =
                Fail(command + (r == LineRead::TooLong ? ": the first line of standard input is no password"
                                                       : ": --password-stdin: standard input holds no line"),
                     kExitUsage);
            return false;
        }
    } else {
        if (i + 1 >= args.size()) {
            status = Fail(command + ": " + option + " needs a value (see --help)", kExitUsage);
            return false;
        }
        const std::string& value = args[++i];
        if (option == "--password") {
            text = value;
        } else {
            const int fd = ::open(value.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                status =
                    Fail(command + ": --password-file: " + value + ": " + std::strerror(errno), kExitFile);
                return false;
            }
            const LineRead r = ReadBoundedLine(fd, kLongestPasswordLine, text);
            ::close(fd);
            if (r == LineRead::Failed) {
                status = Fail(command + ": --password-file: cannot read " + value, kExitFile);
                return false;
            }
        }
    }
    if (!IsRadioPassword(text)) {
        WipeSecret(text);
        status = Fail(command + ": the password must be 1 to 16 printable ASCII characters", kExitUsage);
        return false;
    }
    password = Utf8ToUtf16(text);
    WipeSecret(text);
    return true;
}

CliCloneHost::~CliCloneHost() {
    if (m_password) {
        WipeSecret(*m_password);
    }
}

void CliCloneHost::RunJob(CloneJob& job, uint32_t /*captionId*/, int32_t rangeMax) {
    if (m_quiet) {
        CloneThreadProc(job, [](uint32_t) {});
        return;
    }
    ProgressBar bar(job, rangeMax);
    CloneThreadProc(job, [&bar](uint32_t value) { bar.Set(value); });
    if (job.result == kErrSuccess) {
        bar.Finish();
    }
}

bool CliCloneHost::AskClonePassword(std::u16string& password) {
    if (m_password) {
        password = *m_password;
        return true;
    }
    const int tty = OpenTerminal();
    if (tty < 0) {
        m_noTerminal = true;
        return false;
    }
    struct termios saved;
    const bool canHide = ::tcgetattr(tty, &saved) == 0;
    bool ok = false;
    std::string line;
    for (;;) {
        bool more = false;
        {
            // Echo goes off before the prompt appears: an answer typed as soon as the prompt
            // shows must be neither echoed nor thrown away with the typeahead flushed here.
            std::optional<HiddenInput> hidden;
            if (canHide) {
                hidden.emplace(tty, saved);
            }
            const char prompt[] = "Radio password: ";
            [[maybe_unused]] ssize_t w = ::write(tty, prompt, sizeof prompt - 1);
            more = ReadTerminalLine(tty, line);
        }
        [[maybe_unused]] ssize_t w = ::write(tty, "\n", 1);
        if (!more) {
            break;  // end of input: the user gave up
        }
        // As in the window's prompt: an empty answer asks again.
        if (!line.empty()) {
            password = Utf8ToUtf16(line);
            ok = true;
            break;
        }
    }
    WipeSecret(line);
    ::close(tty);
    return ok;
}

bool AskYesNoOnTerminal(const std::string& question, bool& noTerminal) {
    noTerminal = false;
    const int tty = OpenTerminal();
    if (tty < 0) {
        noTerminal = true;
        return false;
    }
    const std::string prompt = question + " [y/N] ";
    [[maybe_unused]] ssize_t w = ::write(tty, prompt.data(), prompt.size());
    std::string line;
    const bool answered = ReadTerminalLine(tty, line);
    if (!answered) {
        w = ::write(tty, "\n", 1);
    }
    ::close(tty);
    return answered && (line == "y" || line == "Y" || line == "yes" || line == "Yes" || line == "YES");
}

bool CliCloneHost::Confirm(RadioQuestion question) {
    const char* destructive = nullptr;
    switch (question) {
        case RadioQuestion::kWriteSetsAccessPassword:
            std::fprintf(stderr, "talvero-cli: %s: note: this configuration sets a password on the radio\n",
                         m_command.c_str());
            return true;
        case RadioQuestion::kWriteConfiguration:
            return true;
        case RadioQuestion::kInitialise:
            destructive = "Initialise the radio? All its settings go back to their factory values.";
            break;
        case RadioQuestion::kUpdateFirmware:
            destructive = "Update the radio's firmware? The radio must not be disconnected until it is done.";
            break;
    }
    if (m_assumeYes) {
        return true;
    }
    bool noTerminal = false;
    const bool yes = AskYesNoOnTerminal(destructive, noTerminal);
    m_unconfirmed = noTerminal;
    return yes;
}

int ReportRadioFailure(const std::string& command, const RadioOutcome& outcome,
                       const CloneLinkSettings& link) {
    const ErrorInfo& e = outcome.error;
    const std::string detail = e.detail.empty() ? "" : " (" + e.detail + ")";
    const std::string& port = link.m_comPort;
    const std::string c = command + ": ";
    if (outcome.stage == RadioStage::kDocument) {
        return Fail(
            c + "ID list entry " + std::to_string(outcome.duplicateEntry + 1) + " repeats an earlier entry",
            kExitDuplicateId);
    }
    switch (outcome.result) {
        case kErrTimeout:
            return Fail(c + "time-out: the radio did not answer" + detail, kExitTimeout);
        case kErrInvalidPassword:
            return Fail(c + "the radio refused the password", kExitPassword);
        case kErrInvalidData:
            if (e.sysErrno == ENOTTY) {
                return Fail(c + "not a serial port: " + port, kExitNoPort);
            }
            if (e.sysErrno == 0) {
                return Fail(c + "the radio refused the data" + detail, kExitRefusedData);
            }
            break;
        case kErrCrc:
            return Fail(c + "checksum mismatch in the data from the radio" + detail, kExitChecksum);
        case kErrBadUnit:
            if (e.sysErrno == EIO) {
                return Fail(c + "the radio went away on " + port, kExitLineLost);
            }
            if (e.sysErrno == 0) {
                return Fail(c + "refused radio" + detail, kExitRefusedRadio);
            }
            break;
        case kErrAccessDenied:
            if (e.sysErrno == EBUSY) {
                return Fail(c + "port busy: " + port + " is held by another program", kExitPortBusy);
            }
            if (e.sysErrno == EACCES || e.sysErrno == EPERM) {
                // Joining a group helps only when that group may read and write the device.
                const std::string group = GroupGrantingAccess(port);
                return Fail(c + "permission denied on " + port +
                                (group.empty()
                                     ? " (no group may use it: an administrator must change the device's "
                                       "permissions, e.g. with a udev rule)"
                                     : " (join the group '" + group + "' that may use it: sudo usermod -aG " +
                                           group + " $USER, then log in again)"),
                            kExitPermission);
            }
            break;
        case kErrFileNotFound:
            if (e.detail.find("firmware image") != std::string::npos) {
                return Fail(c + "cannot read the firmware image" + detail, kExitFile);
            }
            return Fail(c + "port not present: " + port, kExitNoPort);
        case kErrIncorrectSize:
        case kErrHandleEof:
        case kErrInsufficientBuffer:
            return Fail(c + "unusable firmware image" + detail, kExitFile);
        case kErrNotFound:
            return Fail(c + "no radio found on any port", kExitNotFound);
        case kErrCancelled:
            return kExitCancelled;
        default:
            break;
    }
    return Fail(c + DescribeCode(outcome.result) + detail, kExitFailed);
}
