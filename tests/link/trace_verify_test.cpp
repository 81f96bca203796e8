// Against the simulated radio: a trace of a password-protected write and read that shows every
// frame and no secret, a trace that cannot be written stopping nothing, a write verified by
// reading it back (equal, and a block the radio stored differently named by its key), and a read
// that keeps the radio's own text and information.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "document/ini_data.h"
#include "document/talvero_doc.h"
#include "link/radio_recipes.h"
#include "link_fixture.h"
#include "temp_dir.h"

namespace {

struct Host : ICloneHost {
    std::u16string password = u"radiopw1";
    int passwordPrompts = 0;
    void RunJob(CloneJob& job, uint32_t, int32_t) override { CloneThreadProc(job, nullptr); }
    bool AskClonePassword(std::u16string& answer) override {
        ++passwordPrompts;
        answer = password;
        return true;
    }
    bool Confirm(RadioQuestion) override { return true; }
};

std::string HexOf(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += kHex[c >> 4];
        out += kHex[c & 15];
    }
    return out;
}

// The clone text of a text: four hexadecimal digits per character.
std::string CloneHex(const std::string& text) {
    std::string out;
    char digits[5];
    for (unsigned char c : text) {
        std::snprintf(digits, sizeof digits, "%04X", c);
        out += digits;
    }
    return out;
}

// Every form in which a secret could show in a trace: as it is, as clone text, and as the hex of
// either (the trace prints payload bytes in hex).
std::vector<std::string> Forms(const std::string& secret) {
    const std::string clone = CloneHex(secret);
    return {secret, clone, HexOf(secret), HexOf(clone)};
}

// A configuration that carries every kind of secret, long enough for several blocks.
void FillSecrets(CTalveroDoc& doc) {
    ASSERT_TRUE(doc.Set(u"access_pass", u"Acc3ssPw"));
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 0, u"office"));
    ASSERT_TRUE(doc.Set(u"wlan_sec", 0, u"wpa2psk"));
    ASSERT_TRUE(doc.Set(u"wlan_psk", 0, u"PskOfTheOffice77"));
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 1, u"lab"));
    ASSERT_TRUE(doc.Set(u"wlan_sec", 1, u"wpa2"));
    ASSERT_TRUE(doc.Set(u"eap_type", 1, u"peap_mschapv2"));
    ASSERT_TRUE(doc.Set(u"eap_passwd", 1, u"EapSecretWord"));
    ASSERT_TRUE(doc.Set(u"eap_cert_passwd", 2, u"CertFilePw"));
    std::u16string cert = u"-----BEGIN CERTIFICATE-----";
    for (int i = 0; i < 40; ++i) {
        cert += u"QkVZT05EVEhFUEVFUlNDRVJUSUZJQ0FURQ";
    }
    ASSERT_TRUE(doc.Set(u"eap_cert_cert", 2, cert));
    for (unsigned e = 0; e < 60; ++e) {
        ASSERT_TRUE(doc.Set(u"id_type", e, u"indi"));
        const std::string digits = std::to_string(e);
        ASSERT_TRUE(doc.Set(u"id", e,
                            std::u16string(u"1") + std::u16string(4 - digits.size(), u'0') +
                                std::u16string(digits.begin(), digits.end())));
    }
}

class TraceVerify : public TempDirTest {};

TEST_F(TraceVerify, TraceOfPasswordProtectedWriteAndReadShowsNoSecret) {
    // The first block is refused, or answered with a control frame that is no acknowledgement; the
    // PC sends it again either way, and the certificate's value straddles the block's end.
    struct Case {
        uint32_t nak, odd;
        const char* answer;
    };
    for (const Case& c :
         {Case{1, 0, "radio>PC  115200  E8  8  00E801"}, Case{0, 1, "radio>PC  115200  E8  6  01\n"},
          Case{1, 2, "radio>PC  115200  E8  6  01\n"}}) {
        SCOPED_TRACE(std::to_string(c.nak) + " refused, " + std::to_string(c.odd) + " odd");
        RadioSimOptions o = FastRadio();
        o.auth = "1";
        o.password = "radiopw1";
        o.nakBlocks = c.nak;
        o.oddBlocks = c.odd;
        o.frameText = 100;  // the radio cuts its text elsewhere than the PC does
        auto sim = StartRadio(o);
        CTalveroDoc doc;
        FillSecrets(doc);
        CCloneTrace trace;
        const std::string path = dir + "/write" + std::to_string(c.nak) + std::to_string(c.odd) + ".trace";
        ASSERT_TRUE(trace.Open(path, "test"));
        CloneLinkSettings link{sim->Path(), 115200, {}, &trace};
        Host host;
        ASSERT_TRUE(WriteConfiguration(doc, link, host, FastTimings(1500)).ok());
        const RadioOutcome read = ReadConfiguration(link, host, FastTimings(1500));
        ASSERT_TRUE(read.ok());
        trace.Close();
        EXPECT_TRUE(trace.TakeFailure().ok());

        const std::string text = TempDir::ReadBytes(path);
        for (const std::string secret : {"radiopw1", "Acc3ssPw", "PskOfTheOffice77", "EapSecretWord",
                                         "CertFilePw", "QkVZT05EVEhFUEVFUlNDRVJUSUZJQ0FURQ", "QkVZ"}) {
            for (const std::string& form : Forms(secret)) {
                EXPECT_EQ(text.find(form), std::string::npos) << secret << " shows as " << form;
            }
        }
        // Every frame is there, with its bit rate, command and length; the masked bytes show as such.
        EXPECT_NE(text.find("PC>radio  9600  E8  14  01"), std::string::npos);  // the bit-rate change
        EXPECT_NE(text.find("PC>radio  115200  E8  14  02****************"), std::string::npos);
        EXPECT_NE(text.find("PC>radio  115200  E3  12  52512D4C4E4B34"), std::string::npos);
        EXPECT_NE(text.find(c.answer), std::string::npos);  // the answer to the first block
        EXPECT_NE(text.find("radio>PC  115200  E4  105  "), std::string::npos);
        EXPECT_NE(text.find("PC>radio  115200  E4  165  "), std::string::npos);
        // What is not secret stays readable: the SSID "office" in the radio's text.
        EXPECT_NE(text.find(HexOf(CloneHex("office"))), std::string::npos);
        // The trace is its owner's alone.
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
}

TEST_F(TraceVerify, TraceThatCannotBeWrittenStopsNothingAndIsReportedOnce) {
    auto sim = StartRadio(FastRadio());
    CCloneTrace trace;
    EXPECT_FALSE(trace.Open(dir + "/no/such/folder/t.trace", "test"));
    CloneLinkSettings link{sim->Path(), 38400, {}, &trace};
    Host host;
    EXPECT_TRUE(ReadConfiguration(link, host, FastTimings(1500)).ok());
    const ErrorInfo failure = trace.TakeFailure();
    EXPECT_EQ(failure.code, kErrFileNotFound);
    EXPECT_NE(failure.detail.find("t.trace"), std::string::npos);
    EXPECT_TRUE(trace.TakeFailure().ok());
}

TEST_F(TraceVerify, VerifiedWriteMatches) {
    auto sim = StartRadio(FastRadio());
    CTalveroDoc doc;
    FillSecrets(doc);
    CloneLinkSettings link{sim->Path(), 38400, {}, nullptr};
    Host host;
    const RadioOutcome outcome = WriteConfiguration(doc, link, host, FastTimings(1500), true);
    EXPECT_TRUE(outcome.ok());
    EXPECT_TRUE(outcome.verified);
    EXPECT_TRUE(outcome.differences.empty());
    EXPECT_EQ(OutcomeTextId(outcome, kWriteTexts), kVerifiedText);
}

TEST_F(TraceVerify, BlockStoredDifferentlyIsNamedByKey) {
    RadioSimOptions o = FastRadio();
    o.alterStoredBlock = 2;
    o.auth = "1";
    o.password = "radiopw1";
    auto sim = StartRadio(o);
    CTalveroDoc doc;
    FillSecrets(doc);
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    std::u16string alteredKey;
    AlterFirstValueFrom(CloneTextOfLines(lines), 3200, &alteredKey);
    ASSERT_FALSE(alteredKey.empty());

    CloneLinkSettings link{sim->Path(), 38400, {}, nullptr};
    Host host;
    const RadioOutcome outcome = WriteConfiguration(doc, link, host, FastTimings(1500), true);
    EXPECT_EQ(outcome.stage, RadioStage::kVerify);
    EXPECT_EQ(outcome.result, kErrSuccess);
    EXPECT_TRUE(outcome.verified);
    ASSERT_EQ(outcome.differences.size(), 1u);
    EXPECT_EQ(outcome.differences[0].key, alteredKey);
    EXPECT_NE(outcome.differences[0].first, outcome.differences[0].second);
    EXPECT_EQ(OutcomeTextId(outcome, kWriteTexts), kVerifyDiffersText);
    // The password of the write served the read-back: it was asked once.
    EXPECT_EQ(host.passwordPrompts, 1);
}

TEST_F(TraceVerify, ReadBackThatFailsIsNotASuccess) {
    CTalveroDoc doc;
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    const size_t frames = (CloneTextOfLines(lines).size() + 159) / 160;
    RadioSimOptions o = FastRadio();
    // The information request, the write request, the data frames, their block checks and the end:
    // the radio answers the whole write, then falls silent.
    o.silentAfter = static_cast<int64_t>(1 + 1 + frames + (frames + 19) / 20 + 1);
    auto sim = StartRadio(o);
    CloneLinkSettings link{sim->Path(), 9600, {}, nullptr};
    Host host;
    const RadioOutcome outcome = WriteConfiguration(doc, link, host, FastTimings(300), true);
    EXPECT_EQ(outcome.stage, RadioStage::kVerify);
    EXPECT_EQ(outcome.result, kErrTimeout);
    EXPECT_FALSE(outcome.ok());
    EXPECT_EQ(OutcomeTextId(outcome, kWriteTexts), kVerifyFailedText);
}

TEST_F(TraceVerify, ReadKeepsTheRadiosOwnTextAndInformation) {
    RadioSimOptions o = FastRadio();
    o.configText =
        CloneTextOfLines({u"iccid=8981100000000000001", u"imei=356938035643809", u"x_unknown=kept"});
    auto sim = StartRadio(o);
    CloneLinkSettings link{sim->Path(), 38400, {}, nullptr};
    Host host;
    const RadioOutcome read = ReadConfiguration(link, host, FastTimings(1500));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.receivedText, o.configText);
    EXPECT_EQ(read.information.GetValue(u"model", u""), u"TLV-700");
    EXPECT_EQ(read.data.GetValue(u"imei", u""), u"356938035643809");
}

}  // namespace
