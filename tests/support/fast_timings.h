#pragma once
// Link timings for tests: every wait shortened and pacing off, so that a silent radio is found
// out within a fraction of a second.
#include <cstdint>

#include "link/clone_serial_port.h"

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
