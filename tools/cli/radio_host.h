#pragma once
// The command-line tool's share of a radio command: the progress bar, the password prompt, the
// notes in place of the program's questions, and the one-line message and exit status of each
// failure.
#include <cstdint>
#include <optional>
#include <string>

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
};

// The list printed by every radio command's --help.
extern const char kRadioExitHelp[];

class CliCloneHost : public ICloneHost {
  public:
    // `command`: named in notes. `password`: given on the command line; otherwise asked on the
    // terminal when the radio wants one.
    CliCloneHost(std::string command, std::optional<std::u16string> password)
        : m_command(std::move(command)), m_password(std::move(password)) {}
    void RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) override;
    bool AskClonePassword(std::u16string& password) override;
    // Giving the command is the consent; what the user may not expect is noted on stderr.
    bool Confirm(RadioQuestion question) override;

    // Set when the password was missing and no terminal could be asked.
    bool m_noTerminal = false;

  private:
    std::string m_command;
    std::optional<std::u16string> m_password;
};

// Prints "talvero-cli: COMMAND: what failed" and returns the exit status for the outcome; `link`
// names the port.
int ReportRadioFailure(const std::string& command, const RadioOutcome& outcome,
                       const CloneLinkSettings& link);
