// The trace masker: the value of every secret key is masked wherever the data frames cut the text,
// a refused block sent again is masked as the first time, and the radio password frame is masked.
#include <gtest/gtest.h>

#include "document/ini_data.h"
#include "link/clone_frames.h"
#include "link/trace_mask.h"
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

// The clone text of the lines, with the values of the lines named by `secret` as '*'.
std::string Expected(const std::vector<std::u16string>& lines, const std::vector<bool>& secret) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = CloneTextOfLines({lines[i]});
        if (secret[i]) {
            const size_t eq = line.find("003D") + 4;
            for (size_t j = eq; j + 2 < line.size(); ++j) {
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

TEST(TraceMask, RefusedBlockSentAgainIsMaskedAgain) {
    const std::string text = CloneTextOfLines(kLines);
    const std::string expected = Expected(kLines, kSecret);
    // The first block ends inside the access password's value; the radio refuses it once.
    const size_t blockEnd = text.find("003D", text.find("0061006300630065")) + 10;
    CTraceMasker masker;
    std::string shown = MaskedText(masker, text.substr(0, blockEnd), 160, true);
    const Bytes nak = MakeAckFrame(kAddrPc, kAddrRadio, false);
    masker.Mask(nak.data(), nak.size(), false);
    shown = MaskedText(masker, text.substr(0, blockEnd), 160, true);
    const Bytes ack = MakeAckFrame(kAddrPc, kAddrRadio, true);
    masker.Mask(ack.data(), ack.size(), false);
    shown += MaskedText(masker, text.substr(blockEnd), 160, true);
    EXPECT_EQ(shown, expected);
}

TEST(TraceMask, PasswordFrameMaskedWhole) {
    CTraceMasker masker;
    const Bytes frame = MakePcFrame(kCmdControl, std::string("\x02", 1) + "radiopw");
    const std::vector<bool> mask = masker.Mask(frame.data(), frame.size(), true);
    EXPECT_EQ(std::count(mask.begin(), mask.end(), true), 7);
    EXPECT_FALSE(mask[4]);  // the sub-command stays readable
}

}  // namespace
