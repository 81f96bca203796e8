// The frame splitter, the reply queue, the reply wait and pacing, fed with plain byte streams.
#include <gtest/gtest.h>

#include <thread>

#include "link/clone_serial_port.h"
#include "link_fixture.h"
#include "test_clock.h"

namespace {

void Feed(CCloneSoftSerialPort& port, const Bytes& bytes) {
    for (uint8_t b : bytes) {
        port.OnReceiveByte(b);
    }
}

// Everything queued, in order (wanted: every command).
std::vector<Bytes> Drain(CCloneSoftSerialPort& port) {
    TestClock clock;
    port.m_clock = &clock;
    std::vector<Bytes> frames;
    port.m_timeoutMs = 10;
    while (port.QueuedReplies() > 0) {
        port.WaitReply(0x100, CCloneSoftSerialPort::kNoCommand, CCloneSoftSerialPort::kNoCommand, &frames);
    }
    return frames;
}

TEST(FrameSplitter, Cases) {
    struct Case {
        const char* what;
        Bytes input;
        std::vector<Bytes> queued;
    } cases[] = {
        {"bytes before the first FE are dropped",
         {0x01, 0x02, 0xFE, 0xEF, 0xEE, 0xE1, 0x30, 0xFD},
         {{0xFE, 0xEF, 0xEE, 0xE1, 0x30, 0xFD}}},
        {"an unfinished frame is discarded by the next FE",
         {0xFE, 0xEF, 0xEE, 0xE4, 0x01, 0x02, 0xFE, 0xEF, 0xEE, 0xE1, 0xFD},
         {{0xFE, 0xEF, 0xEE, 0xE1, 0xFD}}},
        {"three bytes are too short", {0xFE, 0xEF, 0xFD}, {}},
        {"four bytes to the PC are queued, FD as command",
         {0xFE, 0xEF, 0xEE, 0xFD},
         {{0xFE, 0xEF, 0xEE, 0xFD}}},
        {"the PC's own frame echoed back is discarded", {0xFE, 0xEE, 0xEF, 0xE2, 0x30, 0xFD}, {}},
        {"a stray FD between frames is dropped",
         {0xFD, 0xFE, 0xEF, 0xEE, 0xE6, 0xFD},
         {{0xFE, 0xEF, 0xEE, 0xE6, 0xFD}}},
        {"two frames in a row",
         {0xFE, 0xEF, 0xEE, 0xE4, 0x41, 0xFD, 0x00, 0xFE, 0xEF, 0xEE, 0xE5, 0x42, 0xFD},
         {{0xFE, 0xEF, 0xEE, 0xE4, 0x41, 0xFD}, {0xFE, 0xEF, 0xEE, 0xE5, 0x42, 0xFD}}},
    };
    for (const auto& c : cases) {
        CCloneSoftSerialPort port;
        Feed(port, c.input);
        EXPECT_EQ(Drain(port), c.queued) << c.what;
    }
}

TEST(FrameSplitter, DropsEverythingWhileReceptionIsOff) {
    CCloneSoftSerialPort port;
    port.m_receiveEnabled = 0;
    Feed(port, {0xFE, 0xEF, 0xEE, 0xE8, 0x00, 0xE8, 0x00, 0xFD});
    EXPECT_EQ(port.QueuedReplies(), 0u);
    EXPECT_NE(port.m_lastRxMs.load(), 0u);  // the line was not idle, though
    port.m_receiveEnabled = 1;
    Feed(port, {0xFE, 0xEF, 0xEE, 0xE8, 0x00, 0xE8, 0x00, 0xFD});
    EXPECT_EQ(port.QueuedReplies(), 1u);
}

TEST(WaitReply, TakesWantedFramesAndCollectsAll) {
    const Bytes e4 = {0xFE, 0xEF, 0xEE, 0xE4, 0x31, 0xFD};
    const Bytes e8a = {0xFE, 0xEF, 0xEE, 0xE8, 0x01, 0xFD};
    const Bytes e8b = {0xFE, 0xEF, 0xEE, 0xE8, 0x02, 0xFD};
    CCloneSoftSerialPort port;
    port.m_timeoutMs = 200;
    Feed(port, e4);
    Feed(port, e8a);
    Feed(port, e8b);
    std::vector<Bytes> collected;
    Bytes reply;
    EXPECT_EQ(port.WaitReply(0xE8, CCloneSoftSerialPort::kNoCommand, CCloneSoftSerialPort::kNoCommand,
                             &collected, &reply),
              kErrSuccess);
    EXPECT_EQ(reply, e8b);  // the later wanted frame of a batch takes the earlier one's place
    EXPECT_EQ(collected, (std::vector<Bytes>{e4, e8a, e8b}));
    EXPECT_EQ(port.QueuedReplies(), 0u);
}

TEST(WaitReply, TimeOuts) {
    struct Case {
        uint32_t timeoutMs;
        Bytes queued;
        uint32_t result;
    } cases[] = {
        {5, {0xFE, 0xEF, 0xEE, 0xE1, 0xFD}, kErrTimeout},  // below one step: over at once, even with a reply
        {50, {}, kErrTimeout},
        {50, {0xFE, 0xEF, 0xEE, 0xE4, 0xFD}, kErrTimeout},  // unwanted frames do not end the wait
        {50, {0xFE, 0xEF, 0xEE, 0xE1, 0xFD}, kErrSuccess},
    };
    for (const auto& c : cases) {
        TestClock clock;  // nothing else feeds the port: a wait without its reply runs out at once
        CCloneSoftSerialPort port;
        port.m_clock = &clock;
        port.m_timeoutMs = c.timeoutMs;
        Feed(port, c.queued);
        Bytes reply = {1, 2, 3};
        const uint64_t start = clock.NowMs();
        EXPECT_EQ(port.WaitReply(0xE1, CCloneSoftSerialPort::kNoCommand, CCloneSoftSerialPort::kNoCommand,
                                 nullptr, &reply),
                  c.result)
            << c.timeoutMs;
        // A time-out takes its full time, a reply none.
        EXPECT_EQ(clock.NowMs() - start, c.result == kErrSuccess || c.timeoutMs < 10 ? 0u : c.timeoutMs)
            << c.timeoutMs;
        if (c.result != kErrSuccess) {
            EXPECT_TRUE(reply.empty());
        }
    }
}

// Frames that keep arriving, each within the time-out, keep the wait going past the time-out
// counted from the call; the first wanted frame ends it. The radio moves the clock itself: 100 ms
// before each frame, however long the machine takes to run it.
TEST(WaitReply, SilenceIsCountedFromTheLastFrame) {
    TestClock clock([] { return false; });  // the radio is never done: only its frames end the wait
    CCloneSoftSerialPort port;
    port.m_clock = &clock;
    port.m_timeoutMs = 300;
    const uint64_t start = clock.NowMs();
    std::thread radio([&port, &clock] {
        for (int i = 0; i < 6; ++i) {
            clock.Advance(100);
            Feed(port, {0xFE, 0xEF, 0xEE, 0xE4, 0x30, 0xFD});
        }
        clock.Advance(100);
        Feed(port, {0xFE, 0xEF, 0xEE, 0xE6, 0x30, 0xFD});
    });
    std::vector<Bytes> collected;
    const uint32_t r = port.WaitReply(0xE6, CCloneSoftSerialPort::kNoCommand,
                                      CCloneSoftSerialPort::kNoCommand, &collected, nullptr);
    radio.join();
    EXPECT_EQ(r, kErrSuccess);
    EXPECT_EQ(clock.NowMs() - start, 700u);  // more than twice the time-out
    ASSERT_FALSE(collected.empty());
    EXPECT_EQ(collected.back()[3], 0xE6);
    EXPECT_EQ(collected.size(), 7u);
}

// A chattering radio never lets the time-out run: it ends only at the hard limit of ten time-outs.
TEST(WaitReply, ChatterEndsAtTheHardLimit) {
    TestClock clock;
    CCloneSoftSerialPort port;
    port.m_clock = &clock;
    port.m_timeoutMs = 100;
    // Each step of the clock brings an unwanted frame, never the wanted one.
    clock.OnAdvance([&port](uint64_t) { Feed(port, {0xFE, 0xEF, 0xEE, 0xE4, 0x30, 0xFD}); });
    clock.SetQuiet([] { return true; });
    const uint64_t start = clock.NowMs();
    EXPECT_EQ(port.WaitReply(0xE6), kErrTimeout);
    EXPECT_LE(clock.NowMs() - start, 1000u + 100u);
    EXPECT_GE(clock.NowMs() - start, 1000u);
}

TEST(Pacing, ByteTimePerBitRate) {
    const struct {
        uint32_t rate;
        uint64_t us;
    } cases[] = {{9600, 1190}, {38400, 297}, {115200, 99}, {230400, 49},
                 {460800, 24}, {921600, 12}, {1152000, 9}};
    for (const auto& c : cases) {
        EXPECT_EQ(CCloneSoftSerialPort::ByteTimeUs(c.rate), c.us) << c.rate;
    }
}

// A sender never gets ahead of the paced rate: after PaceSend at least the due time has passed.
TEST(Pacing, HoldsTheSenderBack) {
    struct Case {
        uint64_t byteTimeUs, bytes;
    } cases[] = {{99, 0}, {99, 165}, {297, 330}, {1190, 50}};
    for (const auto& c : cases) {
        TestClock clock;
        CCloneSoftSerialPort port;
        port.m_clock = &clock;
        port.m_byteTimeUs = c.byteTimeUs;
        const uint64_t mark = clock.NowMs();
        port.PaceSend(c.bytes, mark);
        const uint64_t dueMs = c.bytes * c.byteTimeUs / 1000;
        EXPECT_EQ(clock.NowMs() - mark, dueMs) << c.bytes;
        // A sender already behind the rate is not held back.
        const uint64_t late = clock.NowMs();
        port.PaceSend(c.bytes, mark);
        EXPECT_EQ(clock.NowMs(), late) << c.bytes;
    }
}

TEST(CloneSoftSerialPort, CloseOnAClosedPortOnlyResetsTheLink) {
    CCloneSoftSerialPort port;
    port.m_baudRate = 115200;
    port.m_byteTimeUs = 99;
    Feed(port, {0xFE, 0xEF, 0xEE, 0xE1, 0xFD});
    EXPECT_EQ(port.Close(), kErrSuccess);
    EXPECT_EQ(port.m_baudRate, 9600u);
    EXPECT_EQ(port.m_byteTimeUs, 0u);
    EXPECT_EQ(port.m_lastRxMs.load(), 0u);
    EXPECT_EQ(port.QueuedReplies(), 1u);
}

TEST(LeadingDecimal, Cases) {
    const struct {
        std::u16string text;
        uint64_t value;
    } cases[] = {{u"", 0}, {u"0", 0}, {u"12abc", 12}, {u"x1", 0}, {u"99999999999999999999999", UINT64_MAX}};
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingDecimal(c.text), c.value);
    }
}

}  // namespace

namespace {

// The line must fall silent for the given time; a line that never does is given up after the
// time-out instead of being waited on for ever. The radio chatters a byte on every step of the
// clock until its chatter is over.
TEST(WaitLineIdle, WaitsForSilenceButNotForEver) {
    struct Case {
        uint32_t chatterMs, timeoutMs, result;
    } cases[] = {{0, 200, kErrSuccess}, {150, 2000, kErrSuccess}, {1500, 200, kErrTimeout}};
    for (const auto& c : cases) {
        TestClock clock;
        CCloneSoftSerialPort port;
        port.m_clock = &clock;
        port.m_timeoutMs = c.timeoutMs;
        const uint64_t start = clock.NowMs();
        const uint64_t end = start + c.chatterMs;
        port.OnReceiveByte(0x55);
        clock.OnAdvance([&port, end](uint64_t now) {
            if (now < end) {
                port.OnReceiveByte(0x55);
            }
        });
        const uint32_t r = port.WaitLineIdle(50);
        EXPECT_EQ(r, c.result) << c.chatterMs;
        const uint64_t quietFor = clock.NowMs() - port.m_lastRxMs.load();
        if (r == kErrSuccess) {
            EXPECT_GT(quietFor, 50u) << c.chatterMs;
            EXPECT_LE(clock.NowMs() - start, c.chatterMs + 50 + 10) << c.chatterMs;  // not a step more
        } else {
            EXPECT_GT(clock.NowMs() - start, c.timeoutMs) << c.chatterMs;
        }
    }
}

}  // namespace
