#include "link/trace_mask.h"

#include "document/secret_keys.h"
#include "link/clone_frames.h"

namespace {

// A key longer than any setting's is no key: it is kept short so that noise cannot grow it, and a
// value behind it is masked, since what it would have named can no longer be told.
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
    if (pendingCr) {
        pendingCr = false;
        if (byte == '\n') {
            *this = TextState{};
            return false;
        }
        // A CR without its LF is a character of the line like any other.
        Character('\r');
    }
    if (byte == '\r') {
        pendingCr = true;
        return part == Part::Unsure || (part == Part::Value && secret);
    }
    return Character(byte);
}

bool CTraceMasker::TextState::Character(uint8_t byte) {
    switch (part) {
        case Part::Value:
            return secret;
        case Part::Unsure:
            return true;
        case Part::Key:
            break;
    }
    if (byte >= 0x80) {
        // It may be the first byte of a two-byte character that takes the next one with it, which
        // moves every later character of the key: the rest of the line cannot be read safely.
        part = Part::Unsure;
        return true;
    }
    const int d = HexDigit(byte);
    unit = static_cast<uint16_t>((unit << 4) | (d < 0 ? 0 : d));
    if (++digits < 4) {
        return false;
    }
    digits = 0;
    if (unit == u'=') {
        part = Part::Value;
        secret = keyTooLong || IsSecretKey(key);
    } else if (key.size() < kLongestKey) {
        key.push_back(static_cast<char16_t>(unit));
    } else {
        keyTooLong = true;
    }
    unit = 0;
    return false;
}

void CTraceMasker::MaskText(Direction& side, const uint8_t* frame, size_t length, std::vector<bool>& masked) {
    const size_t text = FrameText(frame, length).size();
    const size_t payloadEnd = 4 + FramePayload(frame, length).size();
    for (size_t i = 4; i < 4 + text; ++i) {
        masked[i] = side.now.Feed(frame[i]);
        side.blockHasSecret = side.blockHasSecret || masked[i];
    }
    // Past the NUL nothing is text; only the zero fill is shown.
    for (size_t i = 4 + text; i < payloadEnd; ++i) {
        masked[i] = frame[i] != 0;
    }
    side.textHasSecret = side.textHasSecret || side.blockHasSecret;
}

void CTraceMasker::MaskChecksum(const uint8_t* frame, size_t length, size_t from, std::vector<bool>& masked) {
    // Length and checksum are eight hexadecimal digits each; the checksum is the second.
    const size_t end = 4 + FramePayload(frame, length).size();
    for (size_t i = from + 8; i < from + 16 && i < end; ++i) {
        masked[i] = true;
    }
}

void CTraceMasker::SentBlockAnswered(bool accepted) {
    if (accepted) {
        m_pc.blockStart = m_pc.now;
    } else {
        m_pc.now = m_pc.blockStart;
    }
    m_pc.blockHasSecret = false;
}

std::vector<bool> CTraceMasker::Mask(const uint8_t* frame, size_t length, bool fromPc) {
    std::vector<bool> masked(length, false);
    if (length < 5) {
        return masked;
    }
    const uint8_t command = frame[3];
    if (fromPc) {
        switch (command) {
            case kCmdInfoRequest:
            case kCmdReadRequest:
            case kCmdWriteRequest:
            case kCmdFirmwareRequest:
                // A new exchange: whatever text came before is over.
                m_pc = Direction{};
                m_radio = Direction{};
                break;
            case kCmdCloneData:
                MaskText(m_pc, frame, length, masked);
                break;
            case kCmdCloneEnd:
                if (m_pc.textHasSecret) {
                    MaskChecksum(frame, length, 4, masked);
                }
                m_pc = Direction{};
                break;
            case kCmdControl:
                if (frame[4] == kSubPassword) {
                    for (size_t i = 5; i < 4 + FramePayload(frame, length).size(); ++i) {
                        masked[i] = true;
                    }
                } else if (frame[4] == kSubBlockCheck && m_pc.blockHasSecret) {
                    MaskChecksum(frame, length, 5, masked);
                }
                break;
            default:
                break;
        }
        return masked;
    }
    if (command == kCmdInfoReply) {
        // One frame of text of its own.
        Direction info;
        MaskText(info, frame, length, masked);
        return masked;
    }
    Direction& radio = m_radio;
    const CCloneBlockReader::Step step = radio.reader.Take(frame, length);
    switch (step) {
        case CCloneBlockReader::Step::Data:
            MaskText(radio, frame, length, masked);
            break;
        case CCloneBlockReader::Step::Accepted:
        case CCloneBlockReader::Step::Refused:
        case CCloneBlockReader::Step::Malformed:
            if (radio.blockHasSecret) {
                MaskChecksum(frame, length, 5, masked);
            }
            if (step == CCloneBlockReader::Step::Accepted) {
                radio.blockStart = radio.now;
            } else {
                radio.now = radio.blockStart;
            }
            radio.blockHasSecret = false;
            break;
        case CCloneBlockReader::Step::End:
            if (radio.textHasSecret) {
                MaskChecksum(frame, length, 4, masked);
            }
            radio = Direction{};
            break;
        case CCloneBlockReader::Step::Ignored:
            break;
    }
    return masked;
}
