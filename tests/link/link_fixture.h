#pragma once
// Shared pieces of the link tests: short time-outs, and a simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "../support/fast_timings.h"
#include "../support/test_clock.h"
#include "link/clone_serial_port.h"
#include "radio_simulator.h"

inline RadioSimOptions FastRadio() {
    RadioSimOptions o;
    o.pace = false;
    o.ackTimeoutMs = 3000;
    return o;
}

inline std::unique_ptr<RadioSimulator> StartRadio(const RadioSimOptions& options) {
    auto sim = std::make_unique<RadioSimulator>(options);
    std::string error;
    EXPECT_TRUE(sim->Start(error)) << error;
    return sim;
}

// A port as the worker creates it, with short time-outs.
struct TestPort : CCloneSoftSerialPort {
    explicit TestPort(uint32_t timeoutMs = 1500) {
        ApplyTimings(FastTimings(timeoutMs));
        m_acceptedCodes.insert(u"KD7391#05");
    }
};

// The link and its radios on a clock the test drives (test_clock.h), so that no time-out depends on
// the machine's load: a reply that is coming is waited for however long it takes, one that is not
// coming times out at once. The clock is quiet while every radio started by StartDrivenRadio waits
// for the PC and every byte either end sent has been taken by the other.
inline std::mutex& DrivenRadiosLock() {
    static std::mutex lock;
    return lock;
}
inline std::vector<std::weak_ptr<RadioSimulator>>& DrivenRadios() {
    static std::vector<std::weak_ptr<RadioSimulator>> radios;
    return radios;
}
inline TestClock& DrivenClock() {
    static TestClock clock([] {
        uint64_t taken = 0, given = 0;
        std::lock_guard<std::mutex> lock(DrivenRadiosLock());
        for (const auto& weak : DrivenRadios()) {
            if (const auto radio = weak.lock()) {
                const RadioSimulator::LineState line = radio->Line();
                if (!line.waiting) {
                    return false;
                }
                taken += line.taken;
                given += line.given;
            }
        }
        return taken == DrivenClock().Sent() && given == DrivenClock().Received();
    });
    return clock;
}

// What the link sent counts against what the radios now on the line took: set afresh whenever a
// radio comes or goes (no operation runs then).
inline void RecountDrivenLine() {
    uint64_t taken = 0;
    std::lock_guard<std::mutex> lock(DrivenRadiosLock());
    std::erase_if(DrivenRadios(), [](const auto& weak) { return weak.expired(); });
    for (const auto& weak : DrivenRadios()) {
        if (const auto radio = weak.lock()) {
            taken += radio->Line().taken;
        }
    }
    DrivenClock().SetSent(taken);
}

inline std::shared_ptr<RadioSimulator> StartDrivenRadio(RadioSimOptions options) {
    options.clock = &DrivenClock();
    std::shared_ptr<RadioSimulator> sim(new RadioSimulator(options), [](RadioSimulator* radio) {
        delete radio;
        RecountDrivenLine();
    });
    std::string error;
    EXPECT_TRUE(sim->Start(error)) << error;
    {
        std::lock_guard<std::mutex> lock(DrivenRadiosLock());
        DrivenRadios().push_back(sim);
    }
    RecountDrivenLine();
    return sim;
}

inline CloneTimings DrivenTimings(uint32_t timeoutMs = 1500) {
    CloneTimings t = FastTimings(timeoutMs);
    t.clock = &DrivenClock();
    return t;
}

struct DrivenPort : TestPort {
    explicit DrivenPort(uint32_t timeoutMs = 1500) : TestPort(timeoutMs) {
        ApplyTimings(DrivenTimings(timeoutMs));
    }
};
