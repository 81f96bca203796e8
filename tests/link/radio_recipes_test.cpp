// The radio recipes as both front ends run them: questions and document checks before any radio
// traffic, each fault ending at its stage with its text, the search of a link without a port, and
// several recipes at once on different ports.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>
#include <thread>
#include <vector>

#include "document/talvero_doc.h"
#include "link/radio_recipes.h"
#include "link_fixture.h"

namespace {

// Answers from a script (yes when none is left) and records what was asked.
struct ScriptedHost : ICloneHost {
    std::vector<bool> answers;
    std::optional<std::u16string> password;  // nullopt: the prompt is cancelled
    std::vector<RadioQuestion> asked;
    std::vector<uint32_t> captions;

    void RunJob(CloneJob& job, uint32_t captionId, int32_t) override {
        captions.push_back(captionId);
        CloneThreadProc(job, nullptr);
    }
    bool AskClonePassword(std::u16string& answer) override {
        if (!password) {
            return false;
        }
        answer = *password;
        return true;
    }
    bool Confirm(RadioQuestion question) override {
        const bool yes = asked.size() < answers.size() ? answers[asked.size()] : true;
        asked.push_back(question);
        return yes;
    }
};

std::vector<std::u16string> RadioLines(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return lines;
}

std::string StoredConfiguration(const std::u16string& name) {
    CTalveroDoc doc;
    doc.Set(u"disp_item", name);
    return CloneTextOfLines(RadioLines(doc));
}

// A setting of the configuration a read handed on, as the document takes it.
std::u16string ReadSetting(const CIniData& data, std::u16string_view key) {
    CTalveroDoc doc;
    doc.LoadSettings(data, false);
    return doc.Get(key);
}

using Recipe = std::function<RadioOutcome(CloneLinkSettings&, ICloneHost&)>;

Recipe Write(const CTalveroDoc& doc) {
    return [&doc](CloneLinkSettings& link, ICloneHost& host) {
        return WriteConfiguration(doc, link, host, FastTimings(500));
    };
}

const Recipe kRead = [](CloneLinkSettings& link, ICloneHost& host) {
    return ReadConfiguration(link, host, FastTimings(500));
};
const Recipe kInit = [](CloneLinkSettings& link, ICloneHost& host) {
    return InitialiseRadio(link, host, FastTimings(500));
};
const Recipe kInfo = [](CloneLinkSettings& link, ICloneHost& host) {
    return ReadRadioInformation(link, host, FastTimings(500));
};

using Q = RadioQuestion;

TEST(RadioRecipes, NothingIsSentBeforeTheDocumentAndTheUserAgree) {
    CTalveroDoc duplicate;
    ASSERT_TRUE(duplicate.Set(u"id_type", 2, u"indi") && duplicate.Set(u"id", 2, u"00012"));
    ASSERT_TRUE(duplicate.Set(u"id_type", 5, u"indi") && duplicate.Set(u"id", 5, u"00012"));
    CTalveroDoc locking;
    ASSERT_TRUE(locking.Set(u"access_pass", u"1234"));
    const Recipe firmware = [](CloneLinkSettings& link, ICloneHost& host) {
        return UpdateRadioFirmware("/nonexistent/image.bin", link, host, FastTimings(500));
    };
    const struct {
        const char* what;
        Recipe recipe;
        std::vector<bool> answers;
        std::vector<Q> asked;
        RadioStage stage;
        uint32_t textId;
    } cases[] = {
        // A repeated entry is refused before any question, so the user is not asked in vain.
        {"repeated ID entry", Write(duplicate), {}, {}, RadioStage::kDocument, 2074},
        {"no to the radio password",
         Write(locking),
         {false},
         {Q::kWriteSetsAccessPassword},
         RadioStage::kDeclined,
         0},
        {"no to the write",
         Write(locking),
         {true, false},
         {Q::kWriteSetsAccessPassword, Q::kWriteConfiguration},
         RadioStage::kDeclined,
         0},
        {"no to the initialisation", kInit, {false}, {Q::kInitialise}, RadioStage::kDeclined, 0},
        {"no to the firmware update", firmware, {false}, {Q::kUpdateFirmware}, RadioStage::kDeclined, 0},
    };
    for (const auto& c : cases) {
        auto sim = StartRadio(FastRadio());
        CloneLinkSettings link{sim->Path(), 38400, u""};
        ScriptedHost host;
        host.answers = c.answers;
        const RadioOutcome outcome = c.recipe(link, host);
        EXPECT_EQ(outcome.stage, c.stage) << c.what;
        EXPECT_FALSE(outcome.ok()) << c.what;
        EXPECT_EQ(host.asked, c.asked) << c.what;
        EXPECT_TRUE(host.captions.empty()) << c.what;
        EXPECT_TRUE(sim->ReceivedFrames().empty()) << c.what;
        EXPECT_EQ(OutcomeTextId(outcome, kWriteTexts), c.textId) << c.what;
    }
    auto sim = StartRadio(FastRadio());
    CloneLinkSettings link{sim->Path(), 38400, u""};
    ScriptedHost host;
    EXPECT_EQ(Write(duplicate)(link, host).duplicateEntry, 5u);
}

TEST(RadioRecipes, EachFaultEndsAtItsStageWithItsText) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"disp_item", u"name"));
    const struct {
        const char* what;
        std::function<void(RadioSimOptions&)> radio;
        Recipe recipe;
        RecipeTexts texts;
        std::optional<std::u16string> password;
        RadioStage stage;
        uint32_t result;
        uint32_t textId;
    } cases[] = {
        {"read", [](auto&) {}, kRead, kReadTexts, std::nullopt, RadioStage::kDone, 0, 0},
        {"write", [](auto&) {}, Write(doc), kWriteTexts, std::nullopt, RadioStage::kDone, 0, 2059},
        {"rental unit", [](auto& o) { o.rental = "1"; }, kRead, kReadTexts, std::nullopt, RadioStage::kCheck,
         kErrBadUnit, 2055},
        {"password cancelled", [](auto& o) { o.auth = "1"; }, kRead, kReadTexts, std::nullopt,
         RadioStage::kCheck, kErrCancelled, 0},
        {"password refused", [](auto& o) { o.auth = "1"; }, kRead, kReadTexts, u"wrong",
         RadioStage::kOperation, kErrInvalidPassword, 2066},
        {"spoilt block", [](auto& o) { o.corruptBlock = 1; }, kRead, kReadTexts, std::nullopt,
         RadioStage::kOperation, kErrInvalidData, 2057},
        {"bad total checksum", [](auto& o) { o.badTotalCrc = true; }, kRead, kReadTexts, std::nullopt,
         RadioStage::kOperation, kErrCrc, 2055},
        {"write refused six times", [](auto& o) { o.nakBlocks = 6; }, Write(doc), kWriteTexts, std::nullopt,
         RadioStage::kOperation, kErrInvalidData, 2061},
        {"initialisation refused", [](auto& o) { o.status = 1; }, kInit, kInitialiseTexts, std::nullopt,
         RadioStage::kOperation, kErrInvalidData, 2072},
        // The information exchange is the whole of this command: its failure is the check's.
        {"information from another device", [](auto& o) { o.code = "ZZ"; }, kInfo, kInformationTexts,
         std::nullopt, RadioStage::kCheck, kErrBadUnit, 2055},
    };
    for (const auto& c : cases) {
        RadioSimOptions o = FastRadio();
        o.password = "right";
        o.configText = StoredConfiguration(u"name");
        c.radio(o);
        auto sim = StartRadio(o);
        CloneLinkSettings link{sim->Path(), 38400, u"stale"};
        ScriptedHost host;
        host.password = c.password;
        const RadioOutcome outcome = c.recipe(link, host);
        EXPECT_EQ(outcome.stage, c.stage) << c.what;
        EXPECT_EQ(outcome.result, c.result) << c.what;
        EXPECT_EQ(outcome.error.code, c.result) << c.what;
        EXPECT_EQ(OutcomeTextId(outcome, c.texts), c.textId) << c.what;
        EXPECT_EQ(link.m_clonePassword, c.password.value_or(u"")) << c.what;  // the check's, not a stale one
        if (outcome.ok() && c.texts.rangeMax == kReadTexts.rangeMax) {
            EXPECT_EQ(ReadSetting(outcome.data, u"disp_item"), u"name") << c.what;
        } else if (!outcome.ok()) {
            EXPECT_TRUE(outcome.data.empty()) << c.what;  // nothing half-read is handed on
        }
    }
}

TEST(RadioRecipes, LinkWithoutPortSearchesFirst) {
    RadioSimOptions foreign = FastRadio();
    foreign.code = "XX0000#00";
    auto other = StartRadio(foreign);
    RadioSimOptions stored = FastRadio();
    stored.configText = StoredConfiguration(u"name");
    auto radio = StartRadio(stored);
    const struct {
        const char* what;
        std::string ports;
        RadioStage stage;
        std::string found;
    } cases[] = {
        {"second port answers", other->Path() + ":" + radio->Path(), RadioStage::kDone, radio->Path()},
        {"no accepted radio", other->Path(), RadioStage::kCheck, ""},
    };
    for (const auto& c : cases) {
        ::setenv("TALVERO_EXTRA_PORTS", c.ports.c_str(), 1);
        CloneLinkSettings link{"", 9600, u""};
        ScriptedHost host;
        const RadioOutcome outcome = kRead(link, host);
        ::unsetenv("TALVERO_EXTRA_PORTS");
        EXPECT_EQ(outcome.stage, c.stage) << c.what;
        EXPECT_EQ(link.m_comPort, c.found) << c.what;
        ASSERT_FALSE(host.captions.empty()) << c.what;
        EXPECT_EQ(host.captions.front(), kSearchTexts.caption) << c.what;
        if (c.stage == RadioStage::kDone) {
            EXPECT_EQ(ReadSetting(outcome.data, u"disp_item"), u"name") << c.what;
        } else {
            EXPECT_EQ(outcome.result, kErrNotFound) << c.what;
            EXPECT_EQ(OutcomeTextId(outcome, kReadTexts), 2055u) << c.what;
        }
    }
}

// Recipes keep nothing of their own: each thread's link, host and radio stay its own.
TEST(RadioRecipes, RunAtOnceOnSeveralPorts) {
    constexpr size_t kRadios = 4;
    std::vector<std::unique_ptr<RadioSimulator>> radios;
    for (size_t i = 0; i < kRadios; ++i) {
        CTalveroDoc doc;
        EXPECT_TRUE(doc.Set(u"id_type", 0, u"indi") &&
                    doc.Set(u"id", 0, u"0001" + std::u16string(1, u'0' + i)));
        RadioSimOptions o = FastRadio();
        o.configText = CloneTextOfLines(RadioLines(doc));
        if (i == kRadios - 1) {
            o.auth = "1";
            o.password = "pw3";
        }
        radios.push_back(StartRadio(o));
    }
    std::vector<RadioOutcome> outcomes(kRadios);
    std::vector<CloneLinkSettings> links(kRadios);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < kRadios; ++i) {
        links[i] = CloneLinkSettings{radios[i]->Path(), 115200, u""};
        threads.emplace_back([&, i] {
            ScriptedHost host;
            host.password = u"pw" + std::u16string(1, u'0' + i);
            outcomes[i] = ReadConfiguration(links[i], host, FastTimings(2000));
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    for (size_t i = 0; i < kRadios; ++i) {
        ASSERT_TRUE(outcomes[i].ok()) << i << ": " << outcomes[i].error.detail;
        CTalveroDoc read;
        read.LoadSettings(outcomes[i].data, false);
        EXPECT_EQ(read.Get(u"id", 0), u"0001" + std::u16string(1, u'0' + i)) << i;
        EXPECT_EQ(links[i].m_clonePassword, i == kRadios - 1 ? u"pw3" : u"") << i;
    }
}

}  // namespace
