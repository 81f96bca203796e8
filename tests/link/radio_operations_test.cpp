// Every radio operation against the simulated radio on a pseudo-terminal, with its faults.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>

#include "document/ini_data.h"
#include "link/clone_job.h"
#include "link_fixture.h"

namespace {

std::string CloneText(const std::vector<std::u16string>& lines) {
    return CloneTextOfLines(lines);
}

// A configuration of many lines, several blocks long.
std::vector<std::u16string> SomeLines(size_t count) {
    std::vector<std::u16string> lines;
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(u"key_" + std::u16string(1, u'a' + i % 26) + u"_" + std::u16string(3, u'0' + i % 10) +
                        u"=value \u3042 " + std::u16string(i % 40, u'x'));
    }
    return lines;
}

Bytes FirstFrameOf(const RadioSimulator& sim) {
    auto frames = sim.ReceivedFrames();
    return frames.empty() ? Bytes{} : frames.front();
}

TEST(ReadInformation, DeviceCheck) {
    struct Case {
        const char* what;
        std::optional<std::string> code, rental;
        uint32_t result;
    } cases[] = {
        {"accepted radio", std::string("KD7391#05"), std::string("0"), kErrSuccess},
        {"no rental key", std::string("KD7391#05"), std::nullopt, kErrSuccess},
        {"rental unit", std::string("KD7391#05"), std::string("1"), kErrBadUnit},
        {"rental without digits counts as 0", std::string("KD7391#05"), std::string("no"), kErrSuccess},
        {"other device", std::string("KD7391#06"), std::string("0"), kErrBadUnit},
        {"no code key", std::nullopt, std::string("0"), kErrBadUnit},
    };
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.code = c.code;
        o.rental = c.rental;
        o.btVer = std::nullopt;
        auto sim = StartDrivenRadio(o);
        DrivenPort port;
        CIniData map;
        EXPECT_EQ(port.ReadInformation(sim->Path(), 9600, map), c.result) << c.what;
        EXPECT_FALSE(port.IsOpen());
        if (c.result == kErrSuccess) {
            EXPECT_EQ(map.GetValue(u"model", u""), u"TLV-700");
            EXPECT_EQ(map.GetValue(u"ver", u""), u"1.00.00");
            EXPECT_FALSE(map.Contains(u"bt_ver"));
        }
        // At 9600 bit/s without a password the link needs no frame of its own: only the request.
        EXPECT_EQ(sim->ReceivedFrames().size(), 1u) << c.what;
        EXPECT_EQ(FirstFrameOf(*sim), MakePcFrame(kCmdInfoRequest, kDeviceTypeId));
    }
}

TEST(Connect, BitRateChangeComesFirst) {
    const struct {
        uint32_t rate;
        std::u16string password;
        const char* rateText;
    } cases[] = {{38400, u"", "00009600"}, {1152000, u"", "00119400"}, {9600, u"secret", "00002580"}};
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.auth = "1";
        o.password = "secret";
        auto sim = StartDrivenRadio(o);
        DrivenPort port;
        ASSERT_EQ(port.Connect(sim->Path(), c.rate, c.password), kErrSuccess) << c.rate;
        EXPECT_EQ(port.m_baudRate, c.rate);
        port.Close();
        auto frames = sim->ReceivedFrames();
        ASSERT_FALSE(frames.empty());
        EXPECT_EQ(frames[0], MakePcFrame(kCmdControl, std::string("\x01") + c.rateText));
        EXPECT_EQ(frames.size(), c.password.empty() ? 1u : 2u);
    }
}

TEST(Connect, Password) {
    const struct {
        std::string radioPassword, given;
        uint32_t result;
    } cases[] = {{"secret", "secret", kErrSuccess}, {"secret", "Secret", kErrInvalidPassword}};
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.auth = "1";
        o.password = c.radioPassword;
        auto sim = StartDrivenRadio(o);
        DrivenPort port;
        CIniData map;
        EXPECT_EQ(port.ReadClone(sim->Path(), 38400, std::u16string(c.given.begin(), c.given.end()), map),
                  c.result);
        EXPECT_FALSE(port.IsOpen());
    }
}

TEST(CloneTransfer, WriteThenReadGivesTheSameText) {
    const struct {
        const char* what;
        size_t lines;
        uint32_t rate;
    } cases[] = {{"empty", 0, 9600}, {"one line", 1, 38400}, {"several blocks", 300, 115200}};
    for (const auto& c : cases) {
        auto sim = StartDrivenRadio(FastRadio());
        const auto lines = SomeLines(c.lines);
        const std::string text = CloneText(lines);
        DrivenPort writer;
        std::vector<uint32_t> progress;
        writer.m_progressCallback = [&progress](uint32_t v) { progress.push_back(v); };
        ASSERT_EQ(writer.WriteClone(sim->Path(), c.rate, u"", text), kErrSuccess) << c.what;
        EXPECT_EQ(sim->StoredText(), text);
        // The write sets its own range first and ends on it.
        const uint32_t total = static_cast<uint32_t>(PaddedLength(text.size()) / 160 + 5);
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.front(), total | kProgressRange);
        EXPECT_EQ(progress.back(), total);

        DrivenPort reader;
        CIniData map;
        ASSERT_EQ(reader.ReadClone(sim->Path(), c.rate, u"", map), kErrSuccess) << c.what;
        CIniData expected;
        expected.LoadHexText(RenderHexLines(lines));
        EXPECT_EQ(map.entries(), expected.entries()) << c.what;
    }
}

TEST(CloneTransfer, BlockSizesOfAWrite) {
    // 3200 bytes are one block of 20 frames; 3201 bytes a block of 20 and one of 1.
    const struct {
        size_t bytes;
        std::vector<std::string> checks;
    } cases[] = {{3200, {"00000C80"}}, {3201, {"00000C80", "000000A0"}}, {38, {"000000A0"}}};
    for (const auto& c : cases) {
        auto sim = StartDrivenRadio(FastRadio());
        DrivenPort port;
        ASSERT_EQ(port.WriteClone(sim->Path(), 9600, u"", std::string(c.bytes, '0')), kErrSuccess);
        std::vector<std::string> lengths;
        for (const Bytes& f : sim->ReceivedFrames()) {
            if (f[3] == kCmdControl && f[4] == kSubBlockCheck) {
                lengths.push_back(std::string(FramePayload(f).substr(1, 8)));
            }
        }
        EXPECT_EQ(lengths, c.checks) << c.bytes;
    }
}

TEST(CloneTransfer, Faults) {
    struct Case {
        const char* what;
        RadioSimOptions radio;
        bool write;
        uint32_t result;
    };
    auto with = [](auto change) {
        RadioSimOptions o = FastRadio();
        change(o);
        return o;
    };
    const Case cases[] = {
        {"five refused blocks are retried", with([](auto& o) { o.nakBlocks = 5; }), true, kErrSuccess},
        {"six refused blocks end the write", with([](auto& o) { o.nakBlocks = 6; }), true, kErrInvalidData},
        {"radio reports a failure", with([](auto& o) { o.status = 3; }), true, kErrInvalidData},
        {"radio falls silent during a write", with([](auto& o) { o.silentAfter = 3; }), true, kErrTimeout},
        {"garbage around every frame", with([](auto& o) { o.noise = true; }), true, kErrSuccess},
        {"a damaged block is repeated", with([](auto& o) { o.corruptBlock = 2, o.corruptTimes = 2; }), false,
         kErrSuccess},
        {"a block that never arrives intact", with([](auto& o) { o.corruptBlock = 1; }), false,
         kErrInvalidData},
        {"wrong checksum of the whole text", with([](auto& o) { o.badTotalCrc = true; }), false, kErrCrc},
        {"radio falls silent during a read", with([](auto& o) { o.silentAfter = 2; }), false, kErrTimeout},
        {"garbage around every frame of a read", with([](auto& o) { o.noise = true; }), false, kErrSuccess},
        {"a radio that only babbles", with([](auto& o) { o.babble = true; }), false, kErrTimeout},
    };
    const auto lines = SomeLines(120);
    for (const auto& c : cases) {
        RadioSimOptions o = c.radio;
        o.configText = CloneText(lines);
        auto sim = StartDrivenRadio(o);
        DrivenPort port(300);
        uint32_t r;
        if (c.write) {
            r = port.WriteClone(sim->Path(), 38400, u"", CloneText(lines));
        } else {
            CIniData map;
            r = port.ReadClone(sim->Path(), 38400, u"", map);
            if (r == kErrSuccess) {
                EXPECT_EQ(map.size(), lines.size());
            }
        }
        EXPECT_EQ(r, c.result) << c.what;
        EXPECT_EQ(port.LastError().code, r) << c.what;
        EXPECT_FALSE(port.IsOpen()) << c.what;
    }
}

// A refused block is dropped and repeated by the radio; progress falls back to the block's start.
TEST(CloneTransfer, ReadProgressFallsBackOverARefusedBlock) {
    RadioSimOptions o = FastRadio();
    const auto lines = SomeLines(120);
    o.configText = CloneText(lines);
    o.corruptBlock = 2;
    o.corruptTimes = 1;
    auto sim = StartDrivenRadio(o);
    DrivenPort port;
    std::vector<uint32_t> progress;
    port.m_progressCallback = [&progress](uint32_t v) { progress.push_back(v); };
    CIniData map;
    ASSERT_EQ(port.ReadClone(sim->Path(), 9600, u"", map), kErrSuccess);
    EXPECT_EQ(map.size(), lines.size());
    std::vector<uint32_t> drops;
    for (size_t i = 1; i < progress.size(); ++i) {
        if (progress[i] < progress[i - 1]) {
            drops.push_back(progress[i]);
        }
    }
    // Position 1 after connecting, then one per frame from 2: the first block is 20 data frames
    // and its check, so the second block starts at 2 + 21.
    const uint32_t secondBlock = 2 + o.framesPerBlock + 1;
    EXPECT_EQ(drops, std::vector<uint32_t>{secondBlock});
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 1u);
    // The read ends by closing its range on the frames it took.
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.back(), kProgressRange | progress[progress.size() - 2]);
}

// A PC that gives up in the middle of a read finds the radio ready for the next request.
TEST(CloneTransfer, AbandonedReadLeavesTheRadioReady) {
    RadioSimOptions o = FastRadio();
    o.configText = CloneText(SomeLines(200));
    o.ackTimeoutMs = 60000;
    auto sim = StartDrivenRadio(o);
    DrivenPort port;
    ASSERT_EQ(port.Connect(sim->Path(), 9600, u""), kErrSuccess);
    ASSERT_EQ(port.SendRequest(kCmdReadRequest), kErrSuccess);
    ASSERT_EQ(port.WaitReply(kCmdControl), kErrSuccess);  // the first block check, left unanswered
    port.Close();
    CIniData map;
    EXPECT_EQ(port.ReadInformation(sim->Path(), 9600, map), kErrSuccess);
}

TEST(CloneTransfer, RadioThatVanishes) {
    auto sim = StartDrivenRadio(FastRadio());
    DrivenPort port(60000);  // the loss of the line must end the wait, not the time-out
    ASSERT_EQ(port.Connect(sim->Path(), 9600, u""), kErrSuccess);
    sim->Stop();
    EXPECT_EQ(port.SendRequest(kCmdInfoRequest) == kErrSuccess ? port.WaitReply(kCmdInfoReply)
                                                               : port.LastError().code,
              kErrBadUnit);
    EXPECT_EQ(port.LastError().sysErrno, EIO);
    port.Close();
}

TEST(Initialization, OneLineInOneFrame) {
    auto sim = StartDrivenRadio(FastRadio());
    CloneLinkSettings settings{sim->Path(), 9600, u""};
    CloneJob job;
    job.type = kJobWrite;
    job.link = &settings;
    job.timings = DrivenTimings();
    job.lines.push_back(u"init=0x0E");
    CloneThreadProc(job, nullptr);
    ASSERT_EQ(job.result, kErrSuccess);
    EXPECT_EQ(sim->StoredText().size(), 38u);
    const auto frames = sim->ReceivedFrames();
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(std::string(FramePayload(frames[frames.size() - 2]).substr(0, 9)),
              "\x03"
              "000000A0");
    EXPECT_EQ(std::string(FramePayload(frames.back()).substr(0, 8)), "000000A0");
    EXPECT_EQ(KeyValueLinesOfCloneText(sim->StoredText()), "init=0x0E\n");
}

}  // namespace
