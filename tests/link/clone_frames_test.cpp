// Checksums, hexadecimal numbers, padding and text verification on plain bytes.
#include <gtest/gtest.h>

#include <string>

#include "document/ini_data.h"
#include "link/clone_frames.h"
#include "platform/error_codes.h"

namespace {

uint32_t Crc(const std::string& s) {
    return CloneCrc(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

TEST(CloneCrc, KnownValues) {
    struct Case {
        std::string data;
        uint32_t crc;
    } cases[] = {
        {"", 0xFFFFFFFFu},           // no bytes: the initial value
        {"123456789", 0x0376E6E7u},  // the catalogue check value of CRC-32/MPEG-2
        {std::string(1, '\0'), 0x4E08BFB4u},
        {"a", 0xE66C6494u},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Crc(c.data), c.crc) << "'" << c.data << "'";
    }
}

TEST(CloneCrc, ContinuesAcrossPieces) {
    const std::string whole = "0061003D0031\r\n0062003D0032\r\n";
    uint32_t crc = CloneCrc(reinterpret_cast<const uint8_t*>(whole.data()), 5);
    crc = CloneCrc(reinterpret_cast<const uint8_t*>(whole.data()) + 5, whole.size() - 5, crc);
    EXPECT_EQ(crc, Crc(whole));
}

TEST(ParseHex, Cases) {
    struct Case {
        std::u16string text;
        uint64_t value;
    } cases[] = {
        {u"", 0},
        {u"00000C80", 0xC80},
        {u"00000C8G", 0xC80},  // a non-digit counts as 0
        {u"ffFF", 0xFFFF},
        {u"0123456789ABCDEF", 0x0123456789ABCDEFull},
        {u"0123456789ABCDEF1234", 0x0123456789ABCDEFull},  // only the first 16 characters
        {u"\u3042", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseHex(c.text), c.value);
        if (c.text.find(u'\u3042') == std::u16string::npos) {
            EXPECT_EQ(ParseHex(std::string(c.text.begin(), c.text.end())), c.value);
        }
    }
}

TEST(CloneFrames, PaddingAndNumbers) {
    const struct {
        uint64_t length, padded;
    } cases[] = {{0, 0}, {1, 160}, {160, 160}, {161, 320}, {3200, 3200}, {3201, 3360}, {16001, 16160}};
    for (const auto& c : cases) {
        EXPECT_EQ(PaddedLength(c.length), c.padded) << c.length;
    }
    EXPECT_EQ(Hex8(3200), "00000C80");
    EXPECT_EQ(Hex8(0xFFFFFFFFu), "FFFFFFFF");
}

TEST(CloneFrames, RequestAndAcknowledgementLayout) {
    const Bytes request = MakePcFrame(kCmdReadRequest, kDeviceTypeId);
    const Bytes expected = {0xFE, 0xEE, 0xEF, 0xE2, 'R', 'Q', '-', 'L', 'N', 'K', '4', 0xFD};
    EXPECT_EQ(request, expected);
    const Bytes ack = MakeAckFrame(kAddrPc, kAddrRadio, true);
    EXPECT_EQ(ack, (Bytes{0xFE, 0xEF, 0xEE, 0xE8, 0x00, 0xE8, 0x00, 0xFD}));
    EXPECT_TRUE(IsPositiveAck(ack));
    EXPECT_FALSE(IsNegativeAck(ack));
    const Bytes nak = MakeAckFrame(kAddrRadio, kAddrPc, false);
    EXPECT_TRUE(IsNegativeAck(nak));
    EXPECT_FALSE(IsPositiveAck(nak));
    EXPECT_FALSE(IsPositiveAck(Bytes{0xFE, 0xEF, 0xEE, 0xE8, 0xFD}));
}

TEST(VerifyCloneText, LengthChecksumAndMap) {
    const std::string text = "0061003D0031\r\n";  // a=1
    std::string padded = text;
    padded.resize(160, '\0');
    const uint32_t crc = Crc(padded);
    struct Case {
        std::string text;
        uint32_t length, crc, result;
    } cases[] = {
        {text, 160, crc, kErrSuccess},
        {text + std::string(1, '\0') + "junk", 160, crc, kErrSuccess},  // the text ends at its NUL
        {text, 320, crc, kErrInvalidData},
        {text, 0, crc, kErrInvalidData},
        {text, 160, crc ^ 1, kErrCrc},
        {"", 0, 0xFFFFFFFFu, kErrSuccess},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VerifyCloneText(c.text, c.length, c.crc, nullptr), c.result);
    }
    // The map is filled whatever the checksum says; the caller decides what to keep.
    CIniData map;
    EXPECT_EQ(VerifyCloneText(text, 160, crc ^ 1, &map), kErrCrc);
    EXPECT_EQ(map.GetValue(u"a", u"?"), u"1");
}

}  // namespace
