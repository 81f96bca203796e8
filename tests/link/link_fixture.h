#pragma once
// Shared pieces of the link tests: short time-outs, and a simulated radio on a pseudo-terminal.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../support/fast_timings.h"
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
