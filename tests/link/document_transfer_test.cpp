// The largest configuration written to the radio and read back through the document: the lines
// rendered for the radio come back identical.
#include <gtest/gtest.h>

#include "document/talvero_doc.h"
#include "largest_config.h"
#include "link/clone_job.h"
#include "link_fixture.h"

namespace {

void RunJob(CloneJob& job) {
    CloneThreadProc(job, nullptr);
}

TEST(DocumentTransfer, LargestConfigurationRoundTrip) {
    for (int wlanOnly : {0, 1}) {
        CTalveroDoc source;
        FillLargestConfiguration(source);
        source.m_wlanOnly = wlanOnly;
        auto sim = StartRadio(FastRadio());
        CloneLinkSettings settings{sim->Path(), 1152000, u""};

        CloneJob write;
        write.type = kJobWrite;
        write.link = &settings;
        write.timings = FastTimings();
        source.RenderSettings(write.lines, false);
        RunJob(write);
        ASSERT_EQ(write.result, kErrSuccess) << write.error.detail;

        CloneJob read;
        read.type = kJobRead;
        read.link = &settings;
        read.timings = FastTimings();
        RunJob(read);
        ASSERT_EQ(read.result, kErrSuccess) << read.error.detail;

        // As the read command does: defaults first, then the radio's map.
        CTalveroDoc copy;
        copy.OnNewDocument();
        EXPECT_TRUE(copy.LoadSettings(read.data, false));
        copy.m_wlanOnly = wlanOnly;
        std::vector<std::u16string> expected, actual;
        source.RenderSettings(expected, false);
        copy.RenderSettings(actual, false);
        EXPECT_EQ(actual, expected) << "wlan only " << wlanOnly;
        if (wlanOnly) {
            // Only the WLAN part travelled: the rest came back as its defaults, unlike the source.
            copy.m_wlanOnly = 0;
            source.m_wlanOnly = 0;
            std::vector<std::u16string> copyFull, sourceFull;
            copy.RenderSettings(copyFull, false);
            source.RenderSettings(sourceFull, false);
            EXPECT_NE(copyFull, sourceFull);
        }
    }
}

}  // namespace
