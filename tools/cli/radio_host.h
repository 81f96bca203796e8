#pragma once
// The command-line tool's share of a radio command: the progress bar, the password prompt, the
// notes in place of the program's questions, and the one-line message and exit status of each
// failure.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/radio_recipes.h"

// Exit statuses of the radio commands, one per kind of failure.
enum RadioExit : int {
    kExitOk = 0,
    kExitFailed = 1,
    kExitUsage = 2,
    kExitTimeout = 3,
    kExitPassword = 4,
    kExitRefusedData = 5,
    kExitChecksum = 6,
    kExitRefusedRadio = 7,
    kExitPortBusy = 8,
    kExitPermission = 9,
    kExitNoPort = 10,
    kExitNotFound = 11,
    kExitFile = 12,
    kExitDuplicateId = 13,
    kExitLineLost = 14,
    kExitCancelled = 15,
    kExitVerifyDiffers = 16,  // written, but the radio holds something else
    kExitVerifyFailed = 17,   // written, but it could not be read back
    kExitPageRules = 18,      // the file holds values its pages refuse; nothing was sent
};

// The list of exit statuses, printed once, by 'talvero-cli --help' (and so in the manual page).
extern const char kRadioExitHelp[];
// What every radio command's --help says in its place.
extern const char kExitStatusPointer[];

// The ways to give a radio password, shared by every command that takes one. --password TEXT is
// visible to every local user (the process list shows the command line): --password-file FILE
// (the first line of FILE) and --password-stdin (the first line of standard input) are not.
extern const char kPasswordOptionsHelp[];
bool IsPasswordOption(const std::string& arg);
// Takes the password option at args[i] (and its value, moving i past it): read, checked (1 to 16
// printable ASCII characters, what the radio's prompt takes) and stored in `password`. False with
// the exit status in `status` when it is missing, unreadable or refused; the refused password is
// never shown.
bool TakePasswordOption(const std::string& command, const std::vector<std::string>& args, size_t& i,
                        std::optional<std::u16string>& password, int& status);

// One line from `fd` without its line break (nor a CR before it), read byte by byte so that nothing
// after it is consumed, and at most `limit` bytes: a longer line is read no further.
enum class LineRead { Line, End, TooLong, Failed };
LineRead ReadBoundedLine(int fd, size_t limit, std::string& line);

class CliCloneHost : public ICloneHost {
  public:
    // `command`: named in notes. `password`: given on the command line; otherwise asked on the
    // terminal when the radio wants one.
    CliCloneHost(std::string command, std::optional<std::u16string> password)
        : m_command(std::move(command)), m_password(std::move(password)) {}
    ~CliCloneHost() override;
    CliCloneHost(const CliCloneHost&) = delete;
    CliCloneHost& operator=(const CliCloneHost&) = delete;
    void RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) override;
    bool AskClonePassword(std::u16string& password) override;
    // Giving the command is the consent, except for the destructive ones (initialisation and
    // firmware update): they are asked on the terminal unless `m_assumeYes`, and refused without
    // one. What the user may not expect is noted on stderr.
    bool Confirm(RadioQuestion question) override;

    // Set when the password was missing and no terminal could be asked.
    bool m_noTerminal = false;
    // --yes: the destructive commands run without asking.
    bool m_assumeYes = false;
    // Set when a destructive command was refused because no terminal could be asked.
    bool m_unconfirmed = false;
    // --quiet: no progress bar.
    bool m_quiet = false;

  private:
    std::string m_command;
    std::optional<std::u16string> m_password;
};

// Asks `question` on the controlling terminal and reads a line: true for "y" or "yes". False for
// anything else, and with `noTerminal` set when there is no terminal to ask.
bool AskYesNoOnTerminal(const std::string& question, bool& noTerminal);

// Prints "talvero-cli: COMMAND: what failed" and returns the exit status for the outcome; `link`
// names the port.
int ReportRadioFailure(const std::string& command, const RadioOutcome& outcome,
                       const CloneLinkSettings& link);
