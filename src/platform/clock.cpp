#include "platform/clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

class CSystemClock final : public IClock {
  public:
    uint64_t NowMs() override {
        using namespace std::chrono;
        // One added: 0 stands for "never" in the callers' time stamps.
        return static_cast<uint64_t>(
                   duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()) +
               1;
    }

    void SleepMs(uint32_t ms) override {
        if (ms > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        }
    }

    bool WaitUntil(std::condition_variable& cv, std::unique_lock<std::mutex>& lock, uint64_t deadlineMs,
                   const std::function<bool()>& ready) override {
        for (;;) {
            if (ready()) {
                return true;
            }
            const uint64_t now = NowMs();
            if (now >= deadlineMs) {
                return false;
            }
            cv.wait_for(lock, std::chrono::milliseconds(deadlineMs - now));
        }
    }

    int PollSliceMs(uint64_t deadlineMs) override {
        const uint64_t now = NowMs();
        return now >= deadlineMs ? 0 : static_cast<int>(std::min<uint64_t>(deadlineMs - now, 1u << 30));
    }
};

}  // namespace

IClock& SystemClock() {
    static CSystemClock clock;
    return clock;
}
