#pragma once
// The command-line tool's share of a radio command: the progress bar, the password prompt, and
// the one-line message and exit status of each failure.
#include <cstdint>
#include <optional>
#include <string>

#include "link/clone_job.h"

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
};

// The list printed by every radio command's --help.
extern const char kRadioExitHelp[];

class CliCloneHost : public ICloneHost {
  public:
    // `password`: given on the command line; otherwise asked on the terminal when the radio
    // wants one.
    explicit CliCloneHost(std::optional<std::u16string> password) : m_password(std::move(password)) {}
    void RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) override;
    bool AskClonePassword(std::u16string& password) override;

    // Set when the password was missing and no terminal could be asked.
    bool m_noTerminal = false;

  private:
    std::optional<std::u16string> m_password;
};

// Prints "talvero-cli: COMMAND: what failed" and returns the exit status for the job's result.
int ReportRadioFailure(const std::string& command, const CloneJob& job);
