#pragma once
// One run of a radio operation and the worker body that runs it. The worker reports progress
// through a callback (bit 31 set: the range) and leaves its result in the job; whoever runs it
// (the progress dialog's thread, the command-line tool) reads the job only after it returned.
#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "document/ini_data.h"
#include "link/clone_serial_port.h"
#include "platform/error_codes.h"

enum CloneJobType : int {
    kJobInformation = 0,
    kJobRead = 1,
    kJobWrite = 2,
    kJobFirmware = 3,
    kJobSearch = 4,
};

// The only device code this program accepts.
inline constexpr char16_t kAcceptedDeviceCode[] = u"KD7391#05";

// The port, bit rate and radio password of radio commands: chosen by the user in the program,
// given on the command line in the tool. An empty port means "search every port first".
struct CloneLinkSettings {
    std::string m_comPort;
    uint32_t m_comSpeed = 38400;
    std::u16string m_clonePassword;  // empty when the radio asks for none
    CCloneTrace* m_trace = nullptr;  // records every frame of the commands on this link when set
    // The clone text a read on this link is expected to bring, for its progress: the size of the
    // configuration last read here, or the caller's estimate; 0 when unknown.
    size_t m_expectedReadBytes = 0;
};

struct CloneJob {
    int type = kJobInformation;
    CloneLinkSettings* link = nullptr;  // a port search stores the port it finds here
    CIniData data;                      // information reply; the configuration read
    std::string receivedText;           // a read: the clone text exactly as the radio sent it
    std::vector<std::u16string> lines;  // the configuration lines to write
    uint32_t result = 0;
    ErrorInfo error;  // result with the system's and the port's context
    std::string firmwarePath;
    CloneTimings timings;
    std::vector<std::string> searchPorts;  // empty: every port of the machine
    size_t expectedTextBytes = 0;          // a read: the clone text expected, for its progress
    bool verifying = false;                // a read: the read-back of a write
    // Set by whoever runs the job to stop it between blocks (information, read, search only:
    // the others would leave the radio half-written). The job then fails with 1223.
    const std::atomic<bool>* cancel = nullptr;
};

// Runs the job's operation on a port of its own; returns 0 (the result is in job.result).
uint32_t CloneThreadProc(CloneJob& job, const CloneProgressCallback& progress);

// What a command asks before it sends anything to the radio.
enum class RadioQuestion {
    kWriteSetsAccessPassword,  // the configuration written sets a password on the radio
    kWriteConfiguration,
    kInitialise,
    kUpdateFirmware,
};

// Whatever runs radio commands for the user: the main window (progress dialog, password dialog,
// message boxes) or the command-line tool (progress bar, terminal prompt, notes on stderr).
class ICloneHost {
  public:
    virtual ~ICloneHost() = default;
    // Runs CloneThreadProc for the job, showing its progress under the caption text ID, starting
    // with the range 0 … rangeMax; returns when the job is done.
    virtual void RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) = 0;
    // Asks for the radio's password; false when the user cancelled.
    virtual bool AskClonePassword(std::u16string& password) = 0;
    // Asks the user's consent; false stops the command before anything is sent.
    virtual bool Confirm(RadioQuestion question) = 0;
};
