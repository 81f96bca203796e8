#pragma once
// The time every wait of the link reads. The program runs on the system's monotonic clock; a test
// gives the link a clock it drives, so that whether a wait ends by an event or by its time-out
// never depends on how busy the machine is.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

class IClock {
  public:
    virtual ~IClock() = default;

    // Milliseconds since an arbitrary start; never goes back, never 0.
    virtual uint64_t NowMs() = 0;
    // Lets `ms` milliseconds pass; 0 returns at once.
    virtual void SleepMs(uint32_t ms) = 0;
    // Waits on `cv` (its mutex held in `lock`) until `ready()` holds or NowMs() reaches
    // `deadlineMs`; returns ready(). Whoever makes ready() true notifies `cv`.
    virtual bool WaitUntil(std::condition_variable& cv, std::unique_lock<std::mutex>& lock,
                           uint64_t deadlineMs, const std::function<bool()>& ready) = 0;
    // The longest a wait on a file descriptor (poll) may block before it looks at NowMs() again
    // on its way to `deadlineMs`; 0 once the deadline is reached.
    virtual int PollSliceMs(uint64_t deadlineMs) = 0;

    // Bytes a port sent, and bytes its reader has handed on: a test clock compares them with what
    // the other end of the line took and gave, to know when the line has nothing more in flight.
    virtual void NoteSent(size_t) {}
    virtual void NoteReceived(size_t) {}
    // The port closed: whatever was still in flight is gone.
    virtual void NoteClosed() {}
};

// The system's monotonic clock (steady_clock), shared by everything that is given no other.
IClock& SystemClock();
