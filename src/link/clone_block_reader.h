#pragma once
// The receiving end of a block transfer, one frame at a time. A data frame adds its text (up to
// its first NUL) to the open block; a block check closes the block, accepting it when the length
// and checksum it announces match the block's text and dropping that text otherwise; the end frame
// ends the transfer. The link reads the radio's configuration with it, and the trace masker follows
// the same frames with its own one, so that the two never disagree on which text a frame carries
// or on which blocks are kept.
#include <cstddef>
#include <cstdint>
#include <string_view>

class CCloneBlockReader {
  public:
    enum class Step {
        Ignored,    // not part of a transfer
        Data,       // Text() is what the frame adds to the open block
        Accepted,   // the block check matches: the block is kept
        Refused,    // the block check does not match: the block's text is dropped
        Malformed,  // a block check too short to read
        End,        // Text() is the end frame's text (length and checksum of the whole text)
    };

    // `frame` is a whole frame from its FE to its FD.
    Step Take(const uint8_t* frame, size_t length);
    std::string_view Text() const { return m_text; }

  private:
    uint32_t m_blockCrc = 0xFFFFFFFFu;
    uint64_t m_blockLength = 0;
    std::string_view m_text;
};

// The payload of a frame up to its end marker, and the part of it before the first NUL.
std::string_view FramePayload(const uint8_t* frame, size_t length);
std::string_view FrameText(const uint8_t* frame, size_t length);
