#pragma once
// The clone protocol's frame format: FE, destination, source, command, payload, FD. There is no
// escaping and no length field, so the radio never puts FE or FD inside a payload it sends; the
// PC's data frames are always 165 bytes whatever their payload holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CIniData;

using Bytes = std::vector<uint8_t>;
// One frame received from the radio, from its FE to its FD.
using CSerialData = Bytes;

enum : uint8_t {
    kFrameStart = 0xFE,
    kFrameEnd = 0xFD,
    kAddrRadio = 0xEE,
    kAddrPc = 0xEF,

    kCmdInfoRequest = 0xE0,
    kCmdInfoReply = 0xE1,
    kCmdReadRequest = 0xE2,
    kCmdWriteRequest = 0xE3,
    kCmdCloneData = 0xE4,
    kCmdCloneEnd = 0xE5,
    kCmdWriteResult = 0xE6,
    kCmdControl = 0xE8,
    kCmdFirmwareRequest = 0xD0,
    kCmdFirmwareData = 0xD1,
    kCmdFirmwareEnd = 0xD2,
    kCmdFirmwareResult = 0xD3,

    // Sub-commands of kCmdControl (first payload byte).
    kSubAck = 0x00,
    kSubBitRate = 0x01,
    kSubPassword = 0x02,
    kSubBlockCheck = 0x03,
};

inline constexpr size_t kCloneFrameData = 160;  // payload of every PC data frame
inline constexpr char kDeviceTypeId[] = "RQ-LNK4";
inline constexpr uint32_t kMaxFirmwareSize = 16u * 1024 * 1024;

// CRC-32/MPEG-2: polynomial 0x04C11DB7, initial value 0xFFFFFFFF, no reflection, no final XOR.
// `crc` continues an earlier run over preceding bytes.
uint32_t CloneCrc(const uint8_t* data, size_t length, uint32_t crc = 0xFFFFFFFFu);

// Up to the first 16 characters as hexadecimal nibbles, most significant first; any other
// character counts as 0.
uint64_t ParseHex(std::u16string_view text);
uint64_t ParseHex(std::string_view text);

// The next multiple of 160 (0 stays 0).
inline uint64_t PaddedLength(uint64_t length) {
    return (length + kCloneFrameData - 1) / kCloneFrameData * kCloneFrameData;
}

// "%08X".
std::string Hex8(uint32_t value);

// FE, to, from, command, payload, FD.
Bytes MakeFrame(uint8_t to, uint8_t from, uint8_t command, const void* payload, size_t length);
inline Bytes MakePcFrame(uint8_t command, std::string_view payload) {
    return MakeFrame(kAddrRadio, kAddrPc, command, payload.data(), payload.size());
}
inline Bytes MakeRadioFrame(uint8_t command, std::string_view payload) {
    return MakeFrame(kAddrPc, kAddrRadio, command, payload.data(), payload.size());
}
// The acknowledgement frame: payload 00 E8 00 (positive) or 00 E8 01 (negative).
Bytes MakeAckFrame(uint8_t to, uint8_t from, bool positive);

// The payload of a received frame (between the command byte and the end marker).
std::string_view FramePayload(const Bytes& frame);
// The payload up to its first NUL.
std::string_view FrameText(const Bytes& frame);
// Acknowledgement frames: bytes 3 to 6 are E8 00 E8 00 (positive) or E8 00 E8 01 (negative).
bool IsPositiveAck(const Bytes& frame);
bool IsNegativeAck(const Bytes& frame);

// Checks clone text (taken up to its first NUL) against the length and checksum its sender
// announced, both over the text padded with zero bytes to a multiple of 160. With a map, the text
// is parsed into it whatever the checksum says. Returns 0, 13 (length) or 23 (checksum).
uint32_t VerifyCloneText(std::string_view text, uint32_t expectedLength, uint32_t expectedCrc, CIniData* map);
