// The trace masker: the value of every secret key is masked wherever the data frames cut the text,
// a refused block sent again is masked as the first time, and the radio password frame is masked.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>

#include "../../fuzz/fuzz_targets.h"
#include "document/ini_data.h"
#include "link/clone_frames.h"
#include "link/trace_mask.h"
#include "platform/code_page.h"
#include "radio_simulator.h"

namespace {

// Feeds `text` as data frames cut at `cut`, and returns the text with masked bytes as '*'.
std::string MaskedText(CTraceMasker& masker, const std::string& text, size_t cut, bool fromPc) {
    std::string shown;
    for (size_t pos = 0; pos < text.size(); pos += cut) {
        const std::string part = text.substr(pos, cut);
        const Bytes frame = fromPc ? MakePcFrame(kCmdCloneData, part) : MakeRadioFrame(kCmdCloneData, part);
        const std::vector<bool> mask = masker.Mask(frame.data(), frame.size(), fromPc);
        for (size_t i = 0; i < part.size(); ++i) {
            shown += mask[4 + i] ? '*' : part[i];
        }
    }
    return shown;
}

// The clone text of the lines, with the values of the lines named by `secret` (and the CR after
// them) as '*'.
std::string Expected(const std::vector<std::u16string>& lines, const std::vector<bool>& secret) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = CloneTextOfLines({lines[i]});
        if (secret[i]) {
            const size_t eq = line.find("003D") + 4;
            // The CR too: until the LF comes it could be part of the value.
            for (size_t j = eq; j + 1 < line.size(); ++j) {
                line[j] = '*';
            }
        }
        out += line;
    }
    return out;
}

const std::vector<std::u16string> kLines = {
    u"disp_item_01=on",
    u"access_pass=Secr3t",
    u"wlan_ssid_01=net",
    u"wlan_key_01=wlankey99",
    u"eap_passwd_03=pw",
    u"eap_cert_cert_idx_01=2",
    u"eap_cert_cert_02=MIIB-certificate-text",
    u"ppp_pass_02=p",
    u"name_01_01=access_pass=",
    u"eap_cert_passwd_04=cpw",
};
const std::vector<bool> kSecret = {false, true, false, true, true, false, true, true, false, true};

TEST(TraceMask, SecretValuesMaskedWhereverTheFramesCut) {
    const std::string text = CloneTextOfLines(kLines);
    const std::string expected = Expected(kLines, kSecret);
    for (size_t cut : {1u, 3u, 4u, 7u, 160u, 5000u}) {
        for (bool fromPc : {true, false}) {
            CTraceMasker masker;
            EXPECT_EQ(MaskedText(masker, text, cut, fromPc), expected)
                << "cut " << cut << " fromPc " << fromPc;
        }
    }
}

// The PC's block is answered (by the link's verdict) and sent again when refused. The answers are
// what the link goes by: a refusal, a control frame that is no acknowledgement (FE EF EE E8 01 FD),
// or no recognisable answer at all; only the link knows which answer counted, and it says so.
TEST(TraceMask, RefusedBlockSentAgainIsMaskedAgain) {
    const std::string text = CloneTextOfLines(kLines);
    const std::string expected = Expected(kLines, kSecret);
    // The first block ends inside the access password's value.
    const size_t blockEnd = text.find("003D", text.find("0061006300630065")) + 10;
    const Bytes odd = MakeRadioFrame(kCmdControl, std::string(1, '\x01'));
    const Bytes nak = MakeAckFrame(kAddrPc, kAddrRadio, false);
    const Bytes ack = MakeAckFrame(kAddrPc, kAddrRadio, true);
    for (const Bytes* answer : {&nak, &odd, static_cast<const Bytes*>(nullptr)}) {
        CTraceMasker masker;
        std::string shown = MaskedText(masker, text.substr(0, blockEnd), 160, true);
        if (answer) {
            masker.Mask(answer->data(), answer->size(), false);
        }
        masker.SentBlockAnswered(false);
        shown = MaskedText(masker, text.substr(0, blockEnd), 160, true);
        masker.Mask(ack.data(), ack.size(), false);
        masker.SentBlockAnswered(true);
        shown += MaskedText(masker, text.substr(blockEnd), 160, true);
        EXPECT_EQ(shown, expected);
    }
}

// The radio's text read as the link reads it: a NUL ends a frame's text (the next frame goes on
// with it), a character that is no hexadecimal digit counts as 0, a lone CR or LF is no line end,
// and a byte that may start a two-byte character leaves the rest of its line masked.
TEST(TraceMask, RadioTextReadAsTheLinkReadsIt) {
    const std::string text = CloneTextOfLines(kLines);
    const std::string expected = Expected(kLines, kSecret);
    struct Case {
        const char* name;
        std::function<std::string(const std::string&)> change;
    };
    const auto replaceZero = [](char with, size_t nth) {
        return [with, nth](const std::string& t) {
            std::string out = t;
            size_t at = 0;
            for (size_t n = 0; n <= nth; ++n) {
                at = out.find('0', n == 0 ? 0 : at + 1);
            }
            out[at] = with;
            return out;
        };
    };
    const Case cases[] = {
        {"as sent", [](const std::string& t) { return t; }},
        {"'G' for the first 0 of the access password's key", replaceZero('G', 16)},
        {"space for a 0", replaceZero(' ', 3)},
        {"lone LF for a 0", replaceZero('\n', 17)},
        {"lone CR for a 0", replaceZero('\r', 18)},
    };
    for (const Case& c : cases) {
        const std::string sent = c.change(text);
        // The link reads the same configuration from it.
        CIniData a, b;
        a.LoadHexText(FromAnsi(text));
        b.LoadHexText(FromAnsi(sent));
        ASSERT_EQ(a.entries(), b.entries()) << c.name;
        for (size_t cut : {1u, 5u, 160u}) {
            CTraceMasker masker;
            std::string shown;
            for (size_t pos = 0; pos < sent.size(); pos += cut) {
                // Every frame's text ends with a NUL and something after it the link never reads.
                const std::string part = sent.substr(pos, cut);
                const Bytes frame = MakeRadioFrame(kCmdCloneData, part + std::string("\0", 1) + "0041\x01");
                const std::vector<bool> mask = masker.Mask(frame.data(), frame.size(), false);
                for (size_t i = 0; i < part.size(); ++i) {
                    shown += mask[4 + i] ? '*' : text[pos + i];
                }
                EXPECT_FALSE(mask[4 + part.size()]) << "the NUL itself";
                EXPECT_TRUE(mask[5 + part.size()] && mask[8 + part.size()]) << "what follows it";
            }
            EXPECT_EQ(shown, expected) << c.name << ", cut " << cut;
        }
    }
    // A lead byte in a key: the rest of that line is masked (its CR too), the next line is read
    // again.
    CTraceMasker masker;
    const std::string sent = CloneTextOfLines({u"model=x"}) + "0061\x81" + CloneTextOfLines({u"b=c", u"d=e"});
    const Bytes frame = MakeRadioFrame(kCmdInfoReply, sent);
    const std::vector<bool> mask = masker.Mask(frame.data(), frame.size(), false);
    std::string shown;
    for (size_t i = 0; i < sent.size(); ++i) {
        shown += mask[4 + i] ? '*' : sent[i];
    }
    EXPECT_EQ(shown, CloneTextOfLines({u"model=x"}) + "0061" + std::string(14, '*') + "\n" +
                         CloneTextOfLines({u"d=e"}));
}

// A refused block of the radio's, judged by the same reader as the link's: its checksum does not
// match, so it is read again from the block's start.
TEST(TraceMask, RadioBlockRefusedByItsChecksumIsReadAgain) {
    const std::string text = CloneTextOfLines(kLines);
    const std::string expected = Expected(kLines, kSecret);
    const size_t blockEnd = text.find("003D", text.find("0061006300630065")) + 10;
    const std::string first = text.substr(0, blockEnd);
    auto check = [](const std::string& block, uint32_t spoil) {
        static const uint8_t kZeros[kCloneFrameData] = {};
        uint32_t crc = CloneCrc(reinterpret_cast<const uint8_t*>(block.data()), block.size());
        crc = CloneCrc(kZeros, PaddedLength(block.size()) - block.size(), crc);
        return MakeRadioFrame(kCmdControl, std::string(1, '\x03') +
                                               Hex8(static_cast<uint32_t>(PaddedLength(block.size()))) +
                                               Hex8(crc ^ spoil));
    };
    CTraceMasker masker;
    MaskedText(masker, first, 37, false);
    const Bytes spoilt = check(first, 1);
    const std::vector<bool> spoiltMask = masker.Mask(spoilt.data(), spoilt.size(), false);
    // The block held a secret: its checksum is not shown, its length is.
    EXPECT_EQ(std::count(spoiltMask.begin(), spoiltMask.end(), true), 8);
    EXPECT_FALSE(spoiltMask[5]);
    std::string shown = MaskedText(masker, first, 41, false);
    const Bytes good = check(first, 0);
    masker.Mask(good.data(), good.size(), false);
    shown += MaskedText(masker, text.substr(blockEnd), 160, false);
    EXPECT_EQ(shown, expected);
}

// Every trace of a drawn configuration, sent every way the fuzz target knows, against the secrets
// it holds (the long runs are scripts/fuzz.sh); the seeds first.
TEST(TraceMask, DrawnTransfersLeakNothing) {
    std::vector<std::vector<uint8_t>> inputs;
    const std::filesystem::path seeds = std::filesystem::path(TALVERO_SOURCE_DIR) / "fuzz/corpus/trace_mask";
    for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
        std::ifstream in(entry.path(), std::ios::binary);
        inputs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_FALSE(inputs.empty());
    std::mt19937 rng(23);
    for (int n = 0; n < 2000; ++n) {
        std::vector<uint8_t> input(64 + rng() % 2048);
        for (auto& b : input) {
            b = static_cast<uint8_t>(rng());
        }
        inputs.push_back(std::move(input));
    }
    for (const auto& input : inputs) {
        FuzzTraceMask(input.data(), input.size());  // aborts on a leak
    }
}

TEST(TraceMask, PasswordFrameMaskedWhole) {
    CTraceMasker masker;
    const Bytes frame = MakePcFrame(kCmdControl, std::string("\x02", 1) + "radiopw");
    const std::vector<bool> mask = masker.Mask(frame.data(), frame.size(), true);
    EXPECT_EQ(std::count(mask.begin(), mask.end(), true), 7);
    EXPECT_FALSE(mask[4]);  // the sub-command stays readable
}

}  // namespace
