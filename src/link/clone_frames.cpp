#include "link/clone_frames.h"

#include <array>
#include <cstring>

#include "document/ini_data.h"
#include "platform/code_page.h"
#include "platform/error_codes.h"

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i << 24;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 0x80000000u) ? (c << 1) ^ 0x04C11DB7u : c << 1;
        }
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

template <typename Char>
uint64_t ParseHexChars(const Char* text, size_t length) {
    uint64_t value = 0;
    for (size_t i = 0; i < length && i < 16; ++i) {
        const auto c = static_cast<uint32_t>(text[i]);
        uint64_t nibble = 0;
        if (c >= '0' && c <= '9') {
            nibble = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            nibble = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            nibble = c - 'a' + 10;
        }
        value = (value << 4) | nibble;
    }
    return value;
}

}  // namespace

uint32_t CloneCrc(const uint8_t* data, size_t length, uint32_t crc) {
    for (size_t i = 0; i < length; ++i) {
        crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ data[i]) & 0xFF];
    }
    return crc;
}

uint64_t ParseHex(std::u16string_view text) {
    return ParseHexChars(text.data(), text.size());
}

uint64_t ParseHex(std::string_view text) {
    return ParseHexChars(text.data(), text.size());
}

std::string Hex8(uint32_t value) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string s(8, '0');
    for (int i = 7; i >= 0; --i) {
        s[i] = kDigits[value & 0xF];
        value >>= 4;
    }
    return s;
}

Bytes MakeFrame(uint8_t to, uint8_t from, uint8_t command, const void* payload, size_t length) {
    Bytes frame;
    frame.reserve(length + 5);
    frame.push_back(kFrameStart);
    frame.push_back(to);
    frame.push_back(from);
    frame.push_back(command);
    const auto* p = static_cast<const uint8_t*>(payload);
    frame.insert(frame.end(), p, p + length);
    frame.push_back(kFrameEnd);
    return frame;
}

Bytes MakeAckFrame(uint8_t to, uint8_t from, bool positive) {
    const uint8_t payload[] = {kSubAck, kCmdControl, static_cast<uint8_t>(positive ? 0 : 1)};
    return MakeFrame(to, from, kCmdControl, payload, sizeof payload);
}

std::string_view FramePayload(const Bytes& frame) {
    if (frame.size() < 5) {
        return {};
    }
    return {reinterpret_cast<const char*>(frame.data()) + 4, frame.size() - 5};
}

std::string_view FrameText(const Bytes& frame) {
    std::string_view p = FramePayload(frame);
    size_t nul = p.find('\0');
    return nul == std::string_view::npos ? p : p.substr(0, nul);
}

bool IsPositiveAck(const Bytes& frame) {
    return frame.size() >= 7 && frame[3] == kCmdControl && frame[4] == kSubAck && frame[5] == kCmdControl &&
           frame[6] == 0x00;
}

bool IsNegativeAck(const Bytes& frame) {
    return frame.size() >= 7 && frame[3] == kCmdControl && frame[4] == kSubAck && frame[5] == kCmdControl &&
           frame[6] == 0x01;
}

uint32_t VerifyCloneText(std::string_view text, uint32_t expectedLength, uint32_t expectedCrc,
                         CIniData* map) {
    size_t nul = text.find('\0');
    if (nul != std::string_view::npos) {
        text = text.substr(0, nul);
    }
    const uint64_t padded = PaddedLength(text.size());
    if (padded != expectedLength) {
        return kErrInvalidData;
    }
    // The zero fill adds nothing to the text, but it is part of what the checksum covers.
    uint32_t crc = CloneCrc(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    static const uint8_t kZeros[kCloneFrameData] = {};
    crc = CloneCrc(kZeros, padded - text.size(), crc);
    if (map) {
        map->LoadHexText(FromAnsi(text));
    }
    return crc == expectedCrc ? kErrSuccess : kErrCrc;
}
