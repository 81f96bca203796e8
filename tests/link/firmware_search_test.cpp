// Firmware images of every size that matters, the port search and the device check with its
// password prompt.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>

#include "link/clone_job.h"
#include "link/radio_recipes.h"
#include "link_fixture.h"
#include "platform/posix/port_enum.h"
#include "temp_dir.h"

namespace {

std::string Image(size_t size) {
    std::string bytes(size, '\0');
    std::mt19937 random(static_cast<uint32_t>(size));
    for (auto& b : bytes) {
        b = static_cast<char>(random());  // FE and FD included: the data frames carry any byte
    }
    return bytes;
}

TEST(UpdateFirmware, Sizes) {
    const struct {
        size_t size;
        uint32_t range;
    } cases[] = {{1, 5}, {160, 5}, {16001, 6}, {kMaxFirmwareSize, 1053}};
    TempDir dir;
    for (const auto& c : cases) {
        const std::string image = Image(c.size);
        const std::string path = dir.Write("image.bin", image);
        auto sim = StartDrivenRadio(FastRadio());
        DrivenPort port;
        std::vector<uint32_t> progress;
        port.m_progressCallback = [&progress](uint32_t v) { progress.push_back(v); };
        ASSERT_EQ(port.UpdateFirmware(sim->Path(), 115200, u"", path), kErrSuccess) << c.size;
        std::string padded = image;
        padded.resize(PaddedLength(image.size()), '\0');
        EXPECT_TRUE(sim->FirmwareImage() == padded) << c.size;
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.front(), c.range | kProgressRange);
        EXPECT_EQ(progress.back(), c.range);
    }
}

TEST(UpdateFirmware, FileChecksComeBeforeThePort) {
    TempDir dir;
    const std::string empty = dir.Write("empty.bin", "");
    const std::string tooLarge = dir.Write("large.bin", "");
    ASSERT_EQ(::truncate(tooLarge.c_str(), kMaxFirmwareSize + 1), 0);
    const struct {
        std::string path;
        uint32_t result;
    } cases[] = {
        {dir.Path() + "/missing.bin", kErrFileNotFound},
        {dir.Path(), kErrFileNotFound},
        {empty, kErrIncorrectSize},
        {tooLarge, kErrIncorrectSize},
    };
    for (const auto& c : cases) {
        auto sim = StartDrivenRadio(FastRadio());
        DrivenPort port;
        EXPECT_EQ(port.UpdateFirmware(sim->Path(), 9600, u"", c.path), c.result) << c.path;
        EXPECT_TRUE(sim->ReceivedFrames().empty()) << c.path;
    }
}

TEST(UpdateFirmware, Faults) {
    struct Case {
        const char* what;
        uint32_t nakBlocks, status;
        int64_t silentAfter;
        uint32_t result;
    } cases[] = {
        {"refused five times", 5, 0, -1, kErrSuccess},
        {"refused six times", 6, 0, -1, kErrInvalidData},
        {"failure status", 0, 7, -1, kErrInvalidData},
        {"silent after the request", 0, 0, 1, kErrTimeout},
    };
    TempDir dir;
    const std::string path = dir.Write("image.bin", Image(20000));
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.nakBlocks = c.nakBlocks;
        o.status = c.status;
        o.silentAfter = c.silentAfter;
        auto sim = StartDrivenRadio(o);
        DrivenPort port(300);
        EXPECT_EQ(port.UpdateFirmware(sim->Path(), 38400, u"", path), c.result) << c.what;
        EXPECT_FALSE(port.IsOpen());
    }
}

// The CLI's and the window's share of a radio command, played by the test.
struct TestHost : ICloneHost {
    std::optional<std::u16string> answer;  // nullopt: the user cancels
    bool asked = false;
    void RunJob(CloneJob& job, uint32_t, int32_t) override { CloneThreadProc(job, nullptr); }
    bool AskClonePassword(std::u16string& password) override {
        asked = true;
        if (!answer) {
            return false;
        }
        password = *answer;
        return true;
    }
    bool Confirm(RadioQuestion) override { return true; }
};

TEST(CheckRadio, PasswordPrompt) {
    struct Case {
        const char* what;
        std::optional<std::string> auth;
        bool askPassword;
        std::optional<std::u16string> answer;
        uint32_t checkResult;
        bool asked;
        uint32_t readResult;
    } cases[] = {
        {"no auth key", std::nullopt, true, u"x", kErrSuccess, false, kErrSuccess},
        {"auth 0", std::string("0"), true, u"x", kErrSuccess, false, kErrSuccess},
        {"right password", std::string("1"), true, u"pw", kErrSuccess, true, kErrSuccess},
        {"wrong password", std::string("1"), true, u"no", kErrSuccess, true, kErrInvalidPassword},
        {"cancelled", std::string("1"), true, std::nullopt, kErrCancelled, true, 0},
        {"information only", std::string("1"), false, std::nullopt, kErrSuccess, false, 0},
    };
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.auth = c.auth;
        o.password = "pw";
        auto sim = StartDrivenRadio(o);
        CloneLinkSettings settings{sim->Path(), 38400, u"stale"};
        TestHost host;
        host.answer = c.answer;
        CloneJob job;
        job.link = &settings;
        job.timings = DrivenTimings(500);
        EXPECT_EQ(CheckRadio(job, c.askPassword, host), c.checkResult) << c.what;
        EXPECT_EQ(host.asked, c.asked) << c.what;
        EXPECT_EQ(job.data.GetValue(u"model", u""), u"TLV-700") << c.what;
        if (c.checkResult != kErrSuccess || !c.askPassword) {
            continue;
        }
        EXPECT_EQ(settings.m_clonePassword, c.asked ? *c.answer : u"") << c.what;
        job.type = kJobRead;
        job.data.clear();
        CloneThreadProc(job, nullptr);
        EXPECT_EQ(job.result, c.readResult) << c.what;
    }
}

TEST(SearchPort, StopsAtTheFirstAcceptedRadio) {
    RadioSimOptions other = FastRadio();
    other.code = "XX0000#00";
    auto wrong = StartDrivenRadio(other);
    auto right = StartDrivenRadio(FastRadio());
    auto after = StartDrivenRadio(FastRadio());
    CloneLinkSettings settings{"unchanged", 38400, u""};
    CloneJob job;
    job.type = kJobSearch;
    job.link = &settings;
    job.timings = DrivenTimings();
    job.searchPorts = {"/dev/talvero-no-such-port", wrong->Path(), right->Path(), after->Path()};
    std::vector<uint32_t> progress;
    CloneThreadProc(job, [&progress](uint32_t v) { progress.push_back(v); });
    EXPECT_EQ(job.result, kErrSuccess);
    EXPECT_EQ(settings.m_comPort, right->Path());
    EXPECT_TRUE(after->ReceivedFrames().empty());
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 12u | kProgressRange);
    EXPECT_EQ(progress.back(), 12u);
}

TEST(SearchPort, NothingFound) {
    RadioSimOptions rental = FastRadio();
    rental.rental = "1";
    auto sim = StartDrivenRadio(rental);
    const std::vector<std::vector<std::string>> lists = {{}, {sim->Path()}};
    for (const auto& ports : lists) {
        CCloneSoftSerialPort port;
        port.ApplyTimings(DrivenTimings());
        port.m_acceptedCodes.insert(kAcceptedDeviceCode);
        std::string found = "unchanged";
        EXPECT_EQ(port.SearchPort(found, 9600, ports), kErrNotFound);
        EXPECT_EQ(found, "unchanged");
    }
}

}  // namespace
