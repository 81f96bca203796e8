#pragma once
// The radio's side of the clone protocol on a pseudo-terminal: what tests, benchmarks and people
// without a radio talk to. It answers information requests, sends its stored configuration,
// takes configurations and firmware images with block checks, and injects faults on request.
// It paces what it sends at the line's byte rate (10 bits per byte), as a real serial line would.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/clone_frames.h"
#include "platform/clock.h"

struct RadioSimOptions {
    // Information reply; an absent value leaves its key out of the reply.
    std::optional<std::string> code = std::string("KD7391#05");
    std::optional<std::string> rental = std::string("0");
    std::optional<std::string> auth = std::string("0");
    std::string model = "TLV-700";
    std::string ver = "1.00.00";
    std::optional<std::string> btVer = std::string("2.10");
    std::string password;  // expected when auth is not 0
    std::string iccid;     // the SIM card's ICCID, sent first in every read; empty: none

    std::string configText;        // stored configuration as clone text (8-bit)
    std::string dumpPath;          // each received configuration as key=value lines
    std::string firmwareDumpPath;  // each received firmware image

    uint32_t nakBlocks = 0;              // refuse the first N block checks of every transfer received
    uint32_t oddBlocks = 0;              // answer the first N (after those refused) with a control frame
                                         // that is no acknowledgement (FE EF EE E8 01 FD)
    uint32_t corruptBlock = 0;           // 1-based block of a read sent with a wrong checksum
    uint32_t corruptTimes = UINT32_MAX;  // how many times that block is spoilt
    bool badTotalCrc = false;            // the end of a read carries a wrong checksum
    int64_t silentAfter = -1;            // frames answered before the radio falls silent
    int64_t vanishAfterData = -1;        // data frames sent or received before the radio's end of
                                         // the line closes, as when the cable is pulled
    bool noise = false;                  // garbage and stray frames around every frame sent
    bool babble = false;                 // garbage only, never a frame
    uint32_t status = 0;                 // status of write and firmware results
    bool pace = true;                    // deliver bytes no faster than the line would
    size_t frameText = 160;              // clone text per data frame of a read
    uint32_t framesPerBlock = 20;        // data frames per block check of a read
    uint32_t ackTimeoutMs = 10000;       // how long the radio waits for the PC inside a transfer
    // 1-based block of 3200 bytes of a received configuration that the radio stores differently:
    // the value of the first line that begins in the block keeps its length but not its last
    // character (as a radio with a faulty memory cell would). 0: stored as received.
    uint32_t alterStoredBlock = 0;
    // The clock the radio's waits for the PC read; none: the system's. A test that drives the
    // link's clock gives the radio the same one.
    IClock* clock = nullptr;
};

// Who the radio on the cable is: what changes when the technician swaps radios.
struct RadioIdentity {
    std::string iccid;
    std::optional<std::string> auth = std::string("0");
    std::string password;
    std::string configText;  // the configuration the radio holds
};

class RadioSimulator {
  public:
    explicit RadioSimulator(RadioSimOptions options);
    ~RadioSimulator();
    RadioSimulator(const RadioSimulator&) = delete;
    RadioSimulator& operator=(const RadioSimulator&) = delete;

    // Creates the pseudo-terminal and starts serving; false with a reason on failure.
    bool Start(std::string& error);
    // Stops serving and closes the pseudo-terminal: the PC's end sees the line go away.
    void Stop();
    // Puts another radio on the cable. From the next frame the PC sends until a request went
    // unanswered and the line then stayed quiet for 100 ms, nothing is answered, as the line is dead while
    // radios are swapped; then the new radio answers. Safe from any thread.
    void SwapRadio(RadioIdentity next);
    // The device path the PC opens.
    const std::string& Path() const { return m_slavePath; }

    // What the radio holds now and what it was sent (copies, safe from any thread).
    std::string StoredText() const;
    std::string FirmwareImage() const;
    // Every frame other than data frames that the PC sent, in order.
    std::vector<Bytes> ReceivedFrames() const;

    // The radio's end of the line: whether it waits for the PC with nothing left to do, the bytes
    // it took from the line since it started, and the bytes it gave to the line since the PC last
    // closed its end. A test clock compares these with the link's own counts to know that nothing
    // is in flight. A stopped radio waits for ever and counts nothing.
    struct LineState {
        bool waiting = false;
        uint64_t taken = 0;
        uint64_t given = 0;
    };
    LineState Line() const;

  private:
    enum class Next { Frame, Timeout, Stopped, HungUp };

    void Serve();
    // With `endOnHangup`, the PC closing its end ends the wait: a transfer it gave up is over.
    Next NextFrame(Bytes& frame, uint32_t timeoutMs, bool endOnHangup = false);
    void Feed(uint8_t byte);
    void OnHangup();
    void PlugInSwapped();
    bool Count(const Bytes& frame);  // false once the radio has fallen silent
    bool Vanished();                 // true once the radio has hung up (vanishAfterData)
    void HandleFrame(const Bytes& frame);
    void SendClone();
    void ReceiveTransfer(uint8_t dataCommand, uint8_t endCommand, uint8_t resultCommand, bool firmware);
    bool WaitAck(bool& positive);
    void Send(const Bytes& frame);
    void SendRaw(const uint8_t* data, size_t length);
    void WriteAll(const uint8_t* data, size_t length);
    Bytes Junk();
    void Store(const std::string& received, bool firmware);

    RadioSimOptions m_options;  // serving thread only once started (a swap changes the identity)
    int m_master = -1;
    int64_t m_dataFrames = 0;  // clone and firmware data frames of this run, both directions
    std::string m_slavePath;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};

    // Serving thread only.
    std::deque<Bytes> m_frames;
    Bytes m_current;
    bool m_connected = false;
    uint32_t m_rate = 9600;
    bool m_keepRateOnHangup = false;
    bool m_authenticated = false;
    int64_t m_framesSeen = 0;
    bool m_mute = false;
    bool m_unplugged = false;  // a swap is under way: see SwapRadio
    std::chrono::steady_clock::time_point m_lastDropped{};
    bool m_droppedRequest = false;
    uint32_t m_corruptLeft = 0;
    std::chrono::steady_clock::time_point m_lineFree{};  // when the line has sent all given to it
    bool m_heardPc = false;                              // a frame was taken since the last send
    uint32_t m_random = 12345;

    mutable std::mutex m_lineLock;
    LineState m_line;

    mutable std::mutex m_lock;
    std::string m_storedText;
    std::string m_firmware;
    std::vector<Bytes> m_received;
    std::optional<RadioIdentity> m_pendingSwap;
};

// The clone text of key=value lines, as the radio stores and sends it.
std::string CloneTextOfLines(const std::vector<std::u16string>& lines);
// The clone text with the value of the first line that begins at or after `offset` changed in
// its last character; `key` is that line's key. Unchanged when no such line has a value.
std::string AlterFirstValueFrom(const std::string& cloneText, size_t offset, std::u16string* key = nullptr);
// The key=value lines (UTF-8, one per line) of received clone text.
std::string KeyValueLinesOfCloneText(const std::string& cloneText);
