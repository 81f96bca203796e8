#pragma once
// The PC's end of the clone protocol on one serial port: the frame splitter fed by the reader
// thread, the queue of frames the radio addressed to the PC, the reply wait, pacing, link set-up,
// and the radio operations (read, write, information, firmware update, port search). One object
// serves one operation; the worker that runs it creates it and destroys it afterwards.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "link/clone_frames.h"
#include "link/clone_trace.h"
#include "platform/posix/serial_port.h"

class CIniData;

// A progress value with bit 31 set sets the range 0 … (value without bit 31); any other value is
// the position.
using CloneProgressCallback = std::function<void(uint32_t value)>;
inline constexpr uint32_t kProgressRange = 0x80000000u;

// Every time-out and every fixed wait of the protocol. The defaults are the radio's; tests shorten
// them so that a silent radio is found out quickly.
struct CloneTimings {
    uint32_t replyTimeoutMs = 4000;   // silence before a reply is given up (general)
    uint32_t writeTimeoutMs = 6000;   // the same while writing and updating firmware
    uint32_t searchTimeoutMs = 1000;  // the same per port during a search
    uint32_t pollMs = 10;             // line-idle polling
    uint32_t settleMs = 60;           // after the line is set
    uint32_t closeMs = 100;           // after the device is closed
    uint32_t rateChangeIdleMs = 100;  // line idle after the bit-rate change
    uint32_t reopenMs = 100;          // between the bit-rate change and the reopen
    uint32_t blockIdleMs = 50;        // line idle before a block check
    uint32_t writeStartMs = 1000;     // before a write connects
    uint32_t requestGapMs = 200;      // after a write or firmware request
    uint32_t doneMs = 1000;           // after a read was accepted or the radio confirmed
    uint32_t infoGapMs = 500;         // after the information reply
    uint32_t firmwareEndGapMs = 100;  // before the firmware end frame
    uint32_t busyRetries = 100;       // attempts on a port held by another program
    uint32_t busyRetryMs = 100;
    bool pace = true;  // senders keep to 70 % of the line's byte rate
    // The clock every wait and time-out reads; none: the system's. Tests give a clock they drive.
    IClock* clock = nullptr;
};

// Refused blocks in a row after which a transfer is given up (either direction).
inline constexpr uint32_t kMaxBlockRetries = 5;
// The most clone text a read accepts: far beyond any configuration, so that a radio that never
// stops sending cannot exhaust memory.
inline constexpr size_t kMaxCloneText = 64u * 1024 * 1024;

class CCloneSoftSerialPort : public ESerialPort {
  public:
    static constexpr int kNoCommand = -1;

    CCloneSoftSerialPort();
    ~CCloneSoftSerialPort() override;

    uint32_t Close() override;
    // The frame splitter: FE starts (or restarts) a frame, FD ends it; only frames of more than
    // 3 bytes from the radio to the PC are queued. Bytes outside a frame are noise.
    void OnReceiveByte(uint8_t byte) override;

    // Link set-up: at 9600 bit/s the bit-rate change (unless the link stays at 9600 without a
    // password), then the reopen at `baudRate` and the password.
    virtual uint32_t Connect(const std::string& port, uint32_t baudRate, const std::u16string& password);
    // Waits until nothing has arrived for `ms` milliseconds; 1460 if the line never falls silent
    // within m_timeoutMs.
    virtual uint32_t WaitLineIdle(uint32_t ms);

    // Waits for a frame whose command byte is one of the given ones. The time-out is m_timeoutMs
    // of silence: every frame that arrives restarts it. All frames taken with the wanted one are
    // appended to `collected` when given; the last wanted frame is stored in `reply`.
    uint32_t WaitReply(int commandA, int commandB = kNoCommand, int commandC = kNoCommand,
                       std::vector<CSerialData>* collected = nullptr, CSerialData* reply = nullptr);
    // Sleeps as long as the bytes sent since `markMs` are ahead of the paced rate.
    void PaceSend(uint64_t bytesSinceMark, uint64_t markMs);

    uint32_t SendRequest(uint8_t command);
    uint32_t SendPassword(const std::u16string& password);
    // Sends a whole frame; the trace, when there is one, records it.
    uint32_t SendFrame(const Bytes& frame);
    // The outbound block transfer: 160-byte data frames, a block check after every
    // `framesPerBlock` frames and after the last, a negative acknowledgement resending the block.
    // `progress` is the next position to report (per frame or per block).
    uint32_t SendDataBlocks(const uint8_t* data, size_t padded, uint8_t command, uint32_t framesPerBlock,
                            bool muteWhileSending, bool progressPerFrame, uint32_t& progress);

    // Radio operations; each ends with the port closed.
    uint32_t ReadClone(const std::string& port, uint32_t baudRate, const std::u16string& password,
                       CIniData& map);
    uint32_t WriteClone(const std::string& port, uint32_t baudRate, const std::u16string& password,
                        const std::string& text);
    uint32_t ReadInformation(const std::string& port, uint32_t baudRate, CIniData& map,
                             int32_t* counter = nullptr);
    uint32_t UpdateFirmware(const std::string& port, uint32_t baudRate, const std::u16string& password,
                            const std::string& path);
    // Tries each port in turn; the first whose radio is accepted is stored in `portField`.
    uint32_t SearchPort(std::string& portField, uint32_t baudRate, const std::vector<std::string>& ports);

    void ApplyTimings(const CloneTimings& timings);
    void ReportProgress(uint32_t value) const;

    // Pacing time per byte: 70 % of baudRate / 8 bytes per second.
    static uint64_t ByteTimeUs(uint32_t baudRate);
    size_t QueuedReplies() const;

    std::atomic<int> m_receiveEnabled{1};
    uint32_t m_baudRate = 9600;
    uint64_t m_byteTimeUs = 0;
    std::atomic<uint64_t> m_lastRxMs{0};
    std::set<std::u16string> m_acceptedCodes;
    CloneProgressCallback m_progressCallback;
    CloneTimings m_timings;
    CCloneTrace* m_trace = nullptr;  // records every frame sent and received when set
    // Asks the operation to stop between blocks; it then fails with 1223.
    const std::atomic<bool>* m_cancel = nullptr;
    // True (and the failure recorded) when the operation was asked to stop.
    bool Cancelled();
    // The clone text of the last read that was accepted, exactly as the radio sent it.
    std::string m_receivedText;

  protected:
    void OnLineLost() override;

  private:
    uint32_t ReceiveBlocks(CIniData& map);

    Bytes m_pendingFrame;  // reader thread only
    std::vector<CSerialData> m_replies;
    mutable std::mutex m_lock;
    std::condition_variable m_arrived;
};

// The decimal number at the start of a text (no digits: 0; too large: the largest value).
uint64_t LeadingDecimal(std::u16string_view text);
