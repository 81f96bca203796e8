#pragma once
// What a radio job's progress means to the person watching it: the phase (checking, searching,
// connecting, reading, writing, waiting for the radio's confirmation, verifying), the block it is
// at out of the blocks expected, the share done and the time left at the line's bit rate.
//
// Fed the worker's raw values (bit 31: a range, else a position), it never lets the block count,
// the share or the time left go backwards: a refused block sent again, or a configuration larger
// than expected, holds the figures where they are until the work passes them. The expected size
// is known before the transfer (what is written, or the size of the configuration last read), so
// the count does not change its mind halfway. The progress window and the command-line bar both
// show these figures.
#include <cstddef>
#include <cstdint>

enum class ClonePhase {
    kChecking,    // the information exchange before every command
    kSearching,   // asking each port in turn
    kConnecting,  // link set-up and the request
    kReading,     // blocks coming from the radio
    kWriting,     // blocks going to the radio
    kConfirming,  // all sent; waiting for the radio to confirm
    kVerifying,   // the read-back after a write
    kUpdating,    // firmware blocks going to the radio
};

struct CloneProgressFigures {
    ClonePhase phase = ClonePhase::kConnecting;
    uint32_t block = 0;        // the block in transfer, from 1; 0 outside a block transfer
    uint32_t blocks = 0;       // the blocks expected; 0 when unknown
    bool blocksExact = false;  // known exactly (a write), not estimated (a read)
    uint32_t port = 0;         // a search: the port asked, from 1
    uint32_t ports = 0;        // a search: the ports to ask
    int percent = -1;          // 0 … 100; -1: no measure of the work (a busy bar)
    int64_t secondsLeft = -1;  // -1: not known (yet)
};

class CCloneProgress {
  public:
    // `jobType`: a CloneJobType. `rangeMax`: the first range the command reports. `expectedTextBytes`:
    // the clone text a read is expected to bring (0: unknown). `verifying`: the read is the
    // read-back of a write.
    CCloneProgress(int jobType, int32_t rangeMax, size_t expectedTextBytes, uint32_t bitsPerSecond,
                   bool verifying = false);

    // One value from the worker.
    void Feed(uint32_t value);
    // The job has ended successfully: everything is done.
    void Finish();
    const CloneProgressFigures& Figures() const { return m_figures; }

    // The frames a read of `cloneTextBytes` bytes of clone text takes: the request, its data
    // frames, a block check after every 20 and the end frame.
    static uint32_t ReadFrames(size_t cloneTextBytes);

  private:
    void Update();
    void SetPercent(int64_t done, int64_t work);
    void SetSecondsLeft(int64_t framesLeft);

    int m_type;
    bool m_verifying;
    uint32_t m_bitsPerSecond;
    uint32_t m_expectedFrames;  // a read: 0 when unknown
    uint32_t m_expectedData;    // a read: its data frames; 0 when unknown
    uint32_t m_range;
    uint32_t m_position = 0;
    bool m_finished = false;
    CloneProgressFigures m_figures;
};
