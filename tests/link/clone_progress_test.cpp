// The figures a radio job's progress shows: over whole simulated transfers (a refused block
// among them) they never go backwards, and they name the phase the job is in.
#include <gtest/gtest.h>

#include <atomic>

#include "document/ini_data.h"
#include "link/clone_job.h"
#include "link/clone_progress.h"
#include "link_fixture.h"

namespace {

std::vector<std::u16string> SomeLines(size_t count) {
    std::vector<std::u16string> lines;
    for (size_t i = 0; i < count; ++i) {
        lines.push_back(u"key_" + std::u16string(1, u'a' + i % 26) + u"_" + std::u16string(3, u'0' + i % 10) +
                        u"=value " + std::u16string(i % 40, u'x'));
    }
    return lines;
}

// Every figure the user sees after each value of a job, in order.
struct Watch {
    std::vector<CloneProgressFigures> seen;
    void Check(const char* what) const {
        for (size_t i = 1; i < seen.size(); ++i) {
            const CloneProgressFigures& a = seen[i - 1];
            const CloneProgressFigures& b = seen[i];
            EXPECT_GE(b.block, a.block) << what << " at " << i;
            EXPECT_GE(b.percent, a.percent) << what << " at " << i;
            if (a.secondsLeft >= 0) {
                EXPECT_GE(b.secondsLeft, 0) << what << " at " << i;
                EXPECT_LE(b.secondsLeft, a.secondsLeft) << what << " at " << i;
            }
            if (a.blocks != 0 && a.phase == b.phase) {
                EXPECT_GE(b.blocks, a.blocks) << what << " at " << i;
            }
            EXPECT_LE(b.block, std::max(b.blocks, b.block)) << what;
        }
    }
};

void RunWatched(CloneJob& job, CCloneProgress& progress, Watch& watch) {
    CloneThreadProc(job, [&](uint32_t value) {
        progress.Feed(value);
        watch.seen.push_back(progress.Figures());
    });
    if (job.result == kErrSuccess) {
        progress.Finish();
        watch.seen.push_back(progress.Figures());
    }
}

TEST(CloneProgress, WholeReadAndWriteNeverGoBackwards) {
    const auto lines = SomeLines(400);
    const std::string text = CloneTextOfLines(lines);
    struct Case {
        const char* what;
        uint32_t corruptBlock, nakBlocks;
        size_t expectedBytes;  // what the read is expected to bring
    } cases[] = {
        {"clean, size known", 0, 0, text.size()},
        {"a refused block, size known", 2, 1, text.size()},
        {"estimate too small", 2, 0, text.size() / 3},
        {"size unknown", 0, 0, 0},
    };
    for (const Case& c : cases) {
        RadioSimOptions o = FastRadio();
        o.configText = text;
        o.corruptBlock = c.corruptBlock;
        o.corruptTimes = 1;
        o.nakBlocks = c.nakBlocks;
        auto sim = StartRadio(o);
        CloneLinkSettings link{sim->Path(), 115200, u""};

        CloneJob read;
        read.type = kJobRead;
        read.link = &link;
        read.timings = FastTimings();
        CCloneProgress readProgress(kJobRead, 1922, c.expectedBytes, link.m_comSpeed);
        Watch readWatch;
        RunWatched(read, readProgress, readWatch);
        ASSERT_EQ(read.result, kErrSuccess) << c.what << ": " << read.error.detail;
        readWatch.Check(c.what);
        const CloneProgressFigures& last = readWatch.seen.back();
        EXPECT_EQ(last.percent, 100) << c.what;
        EXPECT_EQ(last.secondsLeft, 0) << c.what;
        // The count ends on the blocks the configuration took, whatever was expected.
        const uint32_t blocks = static_cast<uint32_t>((text.size() + 159) / 160 + 19) / 20;
        EXPECT_EQ(last.block, blocks) << c.what;
        EXPECT_EQ(last.blocks, blocks) << c.what;
        if (c.expectedBytes == text.size()) {
            // Known before the transfer: the total never changes its mind.
            for (const auto& f : readWatch.seen) {
                if (f.phase == ClonePhase::kReading) {
                    EXPECT_EQ(f.blocks, blocks) << c.what;
                }
            }
        }
        EXPECT_EQ(readWatch.seen.front().phase, ClonePhase::kConnecting) << c.what;

        CloneJob write;
        write.type = kJobWrite;
        write.link = &link;
        write.timings = FastTimings();
        write.lines = lines;
        CCloneProgress writeProgress(kJobWrite, 100, 0, link.m_comSpeed);
        Watch writeWatch;
        RunWatched(write, writeProgress, writeWatch);
        ASSERT_EQ(write.result, kErrSuccess) << c.what << ": " << write.error.detail;
        writeWatch.Check(c.what);
        std::vector<ClonePhase> phases;
        for (const auto& f : writeWatch.seen) {
            if (phases.empty() || phases.back() != f.phase) {
                phases.push_back(f.phase);
            }
            if (f.phase == ClonePhase::kWriting) {
                EXPECT_EQ(f.blocks, blocks) << c.what;
                EXPECT_TRUE(f.blocksExact);
            }
        }
        EXPECT_EQ(phases, (std::vector<ClonePhase>{ClonePhase::kConnecting, ClonePhase::kWriting,
                                                   ClonePhase::kConfirming}))
            << c.what;
        EXPECT_EQ(writeWatch.seen.back().percent, 100) << c.what;
    }
}

TEST(CloneProgress, ChecksAndVerifiesByName) {
    CCloneProgress info(kJobInformation, 3, 0, 38400);
    for (uint32_t v : {1u, 2u}) {
        info.Feed(v);
        EXPECT_EQ(info.Figures().phase, ClonePhase::kChecking);
        // One question and one answer: no share to show while the radio is waited for.
        EXPECT_EQ(info.Figures().percent, -1);
    }
    info.Finish();
    EXPECT_EQ(info.Figures().percent, 100);

    CCloneProgress readBack(kJobRead, 1922, 3200, 38400, true);
    readBack.Feed(1);
    EXPECT_EQ(readBack.Figures().phase, ClonePhase::kConnecting);
    readBack.Feed(2);
    EXPECT_EQ(readBack.Figures().phase, ClonePhase::kVerifying);
    EXPECT_EQ(readBack.Figures().blocks, 1u);
    // Twenty frames of 160 bytes and a block check, the end frame: a second or so at 38400 bit/s.
    EXPECT_GE(readBack.Figures().secondsLeft, 1);
    EXPECT_LE(readBack.Figures().secondsLeft, 2);
}

// A read, an information exchange or a search stopped by the user: between blocks, with the
// port closed, and the radio ready for the next command.
TEST(CloneProgress, StoppedReadClosesThePort) {
    RadioSimOptions o = FastRadio();
    o.configText = CloneTextOfLines(SomeLines(800));
    o.pace = true;
    auto sim = StartRadio(o);
    CloneLinkSettings link{sim->Path(), 115200, u""};
    std::atomic<bool> stop{false};
    CloneJob read;
    read.type = kJobRead;
    read.link = &link;
    read.timings = FastTimings();
    read.cancel = &stop;
    uint32_t frames = 0;
    CloneThreadProc(read, [&](uint32_t value) {
        if (!(value & kProgressRange) && value >= 30 && !stop) {
            frames = value;
            stop = true;
        }
    });
    EXPECT_EQ(read.result, kErrCancelled) << read.error.detail;
    EXPECT_GE(frames, 30u);
    EXPECT_TRUE(read.data.empty());

    // The radio answers the next command.
    CloneJob info;
    info.type = kJobInformation;
    info.link = &link;
    info.timings = FastTimings();
    CloneThreadProc(info, nullptr);
    EXPECT_EQ(info.result, kErrSuccess) << info.error.detail;

    // A stop asked for before the work starts ends it before anything is asked.
    for (int type : {kJobInformation, kJobRead}) {
        CloneJob job;
        job.type = type;
        job.link = &link;
        job.timings = FastTimings();
        job.cancel = &stop;
        CloneThreadProc(job, nullptr);
        EXPECT_EQ(job.result, kErrCancelled) << type;
    }
    // A write is never stopped halfway: the flag does not reach it.
    CloneJob write;
    write.type = kJobWrite;
    write.link = &link;
    write.timings = FastTimings();
    write.lines = SomeLines(10);
    write.cancel = &stop;
    CloneThreadProc(write, nullptr);
    EXPECT_EQ(write.result, kErrSuccess) << write.error.detail;
}

}  // namespace
