#pragma once
// Shared pieces of the link tests: short time-outs, and a simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/clone_serial_port.h"
#include "radio_simulator.h"

// Every wait shortened, pacing off: a silent radio is found out within a fraction of a second.
inline CloneTimings FastTimings(uint32_t timeoutMs = 1500) {
    CloneTimings t;
    t.replyTimeoutMs = timeoutMs;
    t.writeTimeoutMs = timeoutMs;
    t.searchTimeoutMs = 300;
    t.pollMs = 1;
    t.settleMs = 0;
    t.closeMs = 5;
    t.rateChangeIdleMs = 5;
    t.reopenMs = 5;
    t.blockIdleMs = 0;
    t.writeStartMs = 0;
    t.requestGapMs = 0;
    t.doneMs = 0;
    t.infoGapMs = 0;
    t.firmwareEndGapMs = 0;
    t.busyRetries = 3;
    t.busyRetryMs = 10;
    t.pace = false;
    return t;
}

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
