#pragma once
// A host that times only the transfer: it passes every call to the program's host and adds up the
// time its jobs run, so "Time taken" after a write or a firmware update leaves out the questions,
// the password prompt and whatever the user thought about in between. The clock is injected, so
// tests drive it.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "link/clone_job.h"

class TransferTimedHost : public ICloneHost {
  public:
    using Clock = std::function<int64_t()>;  // milliseconds, monotonic

    explicit TransferTimedHost(ICloneHost& inner, Clock clock = SteadyMilliseconds)
        : m_inner(inner), m_clock(std::move(clock)) {}

    void RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) override {
        const int64_t start = m_clock();
        m_inner.RunJob(job, captionId, rangeMax);
        m_transferMs += m_clock() - start;
    }
    bool AskClonePassword(std::u16string& password) override { return m_inner.AskClonePassword(password); }
    bool Confirm(RadioQuestion question) override { return m_inner.Confirm(question); }

    // The time the jobs ran, in milliseconds.
    int64_t TransferMilliseconds() const { return m_transferMs; }

    static int64_t SteadyMilliseconds() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }

  private:
    ICloneHost& m_inner;
    Clock m_clock;
    int64_t m_transferMs = 0;
};
