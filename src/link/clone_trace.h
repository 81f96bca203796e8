#pragma once
// A serial trace: one line per frame on the link, with the time to the millisecond (UTC), the
// direction, the line's bit rate, the command, the frame's length and its payload in hexadecimal,
// in which every secret byte is shown as "**" (trace_mask.h). The port records what it sends from
// its worker and what it receives from its reader thread; the trace serialises them.
//
// A trace that cannot be written never stops the radio command: the first failure is kept, the
// trace records nothing more, and the front end reports the failure once (TakeFailure).
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "link/trace_mask.h"
#include "platform/error_codes.h"

class CCloneTrace {
  public:
    CCloneTrace() = default;
    ~CCloneTrace();
    CCloneTrace(const CCloneTrace&) = delete;
    CCloneTrace& operator=(const CCloneTrace&) = delete;

    // Creates (or empties) the trace file, readable by its owner only and never through a
    // symbolic link (platform/private_files.h), and writes its heading; false when it cannot (the
    // failure is kept for TakeFailure).
    bool Open(const std::string& path, const std::string& heading);
    void Close();

    // The bit rate of the line from now on.
    void SetSpeed(uint32_t bitsPerSecond);
    void Record(const uint8_t* frame, size_t length, bool fromPc);
    // How the radio answered the PC's last block check (trace_mask.h).
    void SentBlockAnswered(bool accepted);
    // A line of its own, for what happens between frames ("read", "write", a result).
    void Note(const std::string& text);

    const std::string& Path() const { return m_path; }
    // The first failure to write, handed out once: later calls return an ok ErrorInfo.
    ErrorInfo TakeFailure();

  private:
    void WriteLine(const std::string& line);  // with m_lock held
    void Failed(int err);                     // with m_lock held

    std::mutex m_lock;
    std::FILE* m_file = nullptr;
    std::string m_path;
    uint32_t m_speed = 9600;
    CTraceMasker m_masker;
    ErrorInfo m_failure;
    bool m_failureTaken = false;
};

// The payload of a frame as a trace line shows it: two hexadecimal digits a byte, "**" for a masked
// one.
std::string TracePayload(const uint8_t* frame, size_t length, const std::vector<bool>& masked);

// "2026-12-10T13:45:01.123Z": the current time to the millisecond, UTC.
std::string TraceTimestamp();
