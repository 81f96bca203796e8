#include "link/clone_block_reader.h"

#include "link/clone_frames.h"

std::string_view FramePayload(const uint8_t* frame, size_t length) {
    if (length < 5) {
        return {};
    }
    return {reinterpret_cast<const char*>(frame) + 4, length - 5};
}

std::string_view FrameText(const uint8_t* frame, size_t length) {
    const std::string_view payload = FramePayload(frame, length);
    return payload.substr(0, payload.find('\0'));
}

CCloneBlockReader::Step CCloneBlockReader::Take(const uint8_t* frame, size_t length) {
    m_text = {};
    if (length < 5) {
        return Step::Ignored;
    }
    switch (frame[3]) {
        case kCmdCloneData:
            m_text = FrameText(frame, length);
            m_blockCrc = CloneCrc(reinterpret_cast<const uint8_t*>(m_text.data()), m_text.size(), m_blockCrc);
            m_blockLength += m_text.size();
            return Step::Data;
        case kCmdCloneEnd:
            m_text = FrameText(frame, length);
            m_blockCrc = 0xFFFFFFFFu;
            m_blockLength = 0;
            return Step::End;
        case kCmdControl: {
            if (length < 6 || frame[4] != kSubBlockCheck) {
                return Step::Ignored;
            }
            std::string_view check = FramePayload(frame, length).substr(1);
            check = check.substr(0, check.find('\0'));
            if (check.size() < 16) {
                return Step::Malformed;
            }
            // Both are taken over the block's text padded with zero bytes to a multiple of 160.
            static const uint8_t kZeros[kCloneFrameData] = {};
            const uint64_t padded = PaddedLength(m_blockLength);
            const uint32_t crc = CloneCrc(kZeros, padded - m_blockLength, m_blockCrc);
            const bool accepted = padded == static_cast<uint32_t>(ParseHex(check.substr(0, 8))) &&
                                  crc == static_cast<uint32_t>(ParseHex(check.substr(8, 8)));
            m_blockCrc = 0xFFFFFFFFu;
            m_blockLength = 0;
            return accepted ? Step::Accepted : Step::Refused;
        }
        default:
            return Step::Ignored;
    }
}
