#pragma once
// A clock the test drives, for the link's waits and time-outs. Time stands still until someone
// moves it: the test (Advance), a sleep of the link, or a wait that can no longer end otherwise.
// What "otherwise" means is the test's `quiet` check: true when nothing more will happen on the
// line unless the link acts (the other end waits for it and every byte in flight has arrived).
//   - A sleep first waits until the line is quiet, then lets its time pass at once.
//   - A wait that is not ready, on a quiet line, runs to its deadline at once.
// So a reply that is coming is always waited for, however slow the machine, and a reply that is
// not coming times out at once; real time only decides how soon the clock looks again.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/clock.h"

class TestClock final : public IClock {
  public:
    // By default the line is always quiet: nothing but the test itself feeds the link.
    explicit TestClock(std::function<bool()> quiet = [] { return true; }) : m_quiet(std::move(quiet)) {}

    void SetQuiet(std::function<bool()> quiet) {
        std::lock_guard<std::mutex> lock(m_hookLock);
        m_quiet = std::move(quiet);
    }
    // Called with the new time after every step the clock takes (a chattering line, say).
    void OnAdvance(std::function<void(uint64_t now)> hook) {
        std::lock_guard<std::mutex> lock(m_hookLock);
        m_onAdvance = std::move(hook);
    }

    void Advance(uint64_t ms) {
        const uint64_t now = m_now.fetch_add(ms) + ms;
        std::function<void(uint64_t)> hook;
        {
            std::lock_guard<std::mutex> lock(m_hookLock);
            hook = m_onAdvance;
        }
        if (hook) {
            hook(now);
        }
    }

    uint64_t NowMs() override { return m_now.load(); }

    void SleepMs(uint32_t ms) override {
        if (ms == 0) {
            return;
        }
        WaitForQuiet();
        Advance(ms);
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
            if (Quiet()) {
                // The lock is let go while the clock moves: what the step sets off may feed the link.
                lock.unlock();
                Advance(deadlineMs - now);
                lock.lock();
                continue;
            }
            cv.wait_for(lock, std::chrono::milliseconds(2));
        }
    }

    // Polls look again every few real milliseconds; their time-out passes only as the clock moves.
    int PollSliceMs(uint64_t deadlineMs) override { return NowMs() >= deadlineMs ? 0 : 2; }

    void NoteSent(size_t n) override { m_sent += n; }
    void NoteReceived(size_t n) override { m_received += n; }
    // What was on its way to the link is gone with its end of the line; what it sent still
    // arrives at the other end.
    void NoteClosed() override { m_received = 0; }
    // Bytes the link sent (since SetSent), and bytes it took since its port was last closed.
    uint64_t Sent() const { return m_sent.load(); }
    uint64_t Received() const { return m_received.load(); }
    // Sets the count of bytes sent, when the other ends change (a radio started or gone).
    void SetSent(uint64_t n) { m_sent = n; }

  private:
    bool Quiet() {
        std::function<bool()> quiet;
        {
            std::lock_guard<std::mutex> lock(m_hookLock);
            quiet = m_quiet;
        }
        return !quiet || quiet();
    }

    // A line that never falls quiet is a fault of the test's other end; after a minute of real
    // time the clock moves anyway, so the test fails on its time-out instead of hanging.
    void WaitForQuiet() {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!Quiet() && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    std::atomic<uint64_t> m_now{1000};
    std::atomic<uint64_t> m_sent{0};
    std::atomic<uint64_t> m_received{0};
    std::mutex m_hookLock;
    std::function<bool()> m_quiet;
    std::function<void(uint64_t)> m_onAdvance;
};
