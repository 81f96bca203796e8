#include "link/trace_mask.h"

#include "document/secret_keys.h"
#include "link/clone_frames.h"

namespace {

// A key longer than any setting's is no key: it is kept short so that noise cannot grow it.
constexpr size_t kLongestKey = 64;

int HexDigit(uint8_t c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

bool CTraceMasker::TextState::Feed(uint8_t byte) {
    if (byte == 0 || byte == '\r' || byte == '\n') {
        // The end of a line, or of the text (the zero fill of the last frame).
        *this = TextState{};
        return false;
    }
    if (inValue) {
        return secret;
    }
    const int d = HexDigit(byte);
    if (d < 0) {
        return false;
    }
    unit = static_cast<uint16_t>((unit << 4) | d);
    if (++digits < 4) {
        return false;
    }
    digits = 0;
    if (unit == u'=') {
        inValue = true;
        secret = IsSecretKey(key);
    } else if (key.size() < kLongestKey) {
        key.push_back(static_cast<char16_t>(unit));
    }
    unit = 0;
    return false;
}

std::vector<bool> CTraceMasker::Mask(const uint8_t* frame, size_t length, bool fromPc) {
    std::vector<bool> masked(length, false);
    if (length < 5) {
        return masked;
    }
    const uint8_t command = frame[3];
    const size_t payloadEnd = frame[length - 1] == kFrameEnd ? length - 1 : length;
    Direction& own = Side(fromPc);
    Direction& other = Side(!fromPc);
    switch (command) {
        case kCmdInfoRequest:
        case kCmdReadRequest:
        case kCmdWriteRequest:
        case kCmdFirmwareRequest:
            // A new exchange: whatever text came before is over.
            m_pc = Direction{};
            m_radio = Direction{};
            break;
        case kCmdInfoReply:
        case kCmdCloneData:
            for (size_t i = 4; i < payloadEnd; ++i) {
                masked[i] = own.now.Feed(frame[i]);
            }
            if (command == kCmdInfoReply) {
                own = Direction{};
            }
            break;
        case kCmdCloneEnd:
            own = Direction{};
            break;
        case kCmdControl:
            if (frame[4] == kSubPassword) {
                for (size_t i = 5; i < payloadEnd; ++i) {
                    masked[i] = true;
                }
            } else if (frame[4] == kSubAck && length >= 7) {
                // The answer to the other side's block check: a refused block comes again.
                if (frame[6] == 0x00) {
                    other.blockStart = other.now;
                } else {
                    other.now = other.blockStart;
                }
            }
            break;
        default:
            break;
    }
    return masked;
}
