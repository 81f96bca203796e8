#pragma once
// Finds the secret bytes of the frames on the link, so that a serial trace can show every frame
// without showing a password or a key. Configurations travel as clone text split over data frames
// at any byte, so the masker follows the text of each direction across frames, reading it as the
// configuration is read: every four characters are one character of the line (a character that is
// not a hexadecimal digit counts as 0), lines end at CR LF, and the value of a line whose key names
// a secret (document/secret_keys.h) is masked byte for byte. A character the code page may join with
// the next byte leaves the key unreadable; the rest of that line is masked.
//
// Which text a frame carries, and which blocks count, is decided by the link's own state machines:
// the radio's frames are followed with the reader the link reads them with (clone_block_reader.h),
// and the PC's blocks by the link telling the trace how the radio answered each one
// (SentBlockAnswered). Bytes after the text of a data frame (after its NUL) are no text to the link
// and are masked unless they are zero fill; the checksum of a block or of a text that holds a
// secret is masked too, since it would let a short secret be recovered from the rest of the text.
// The radio password frame is masked whole. Not thread-safe: the trace serialises calls.
#include <cstdint>
#include <string>
#include <vector>

#include "link/clone_block_reader.h"

class CTraceMasker {
  public:
    // Marks (true) the bytes of `frame` that are secret. `fromPc` is the direction.
    std::vector<bool> Mask(const uint8_t* frame, size_t length, bool fromPc);
    // How the radio answered the PC's last block check: accepted, or to be sent again from the
    // block's first frame (the link sends a block again on any answer but the acknowledgement).
    void SentBlockAnswered(bool accepted);

  private:
    // One direction's text, as far as it has been read, and whether a byte belongs to a secret.
    struct TextState {
        enum class Part : uint8_t { Key, Value, Unsure };
        std::u16string key;
        uint16_t unit = 0;
        uint8_t digits = 0;
        Part part = Part::Key;
        bool keyTooLong = false;
        bool secret = false;      // in Value: the key names a secret
        bool pendingCr = false;   // the last byte was a CR, which ends the line when LF follows
        bool Feed(uint8_t byte);  // true: the byte belongs to a secret value
      private:
        bool Character(uint8_t byte);
    };
    struct Direction {
        TextState now;
        TextState blockStart;  // where a refused block is read again from
        bool blockHasSecret = false;
        bool textHasSecret = false;
        CCloneBlockReader reader;  // the radio's side only
    };
    void MaskText(Direction& side, const uint8_t* frame, size_t length, std::vector<bool>& masked);
    static void MaskChecksum(const uint8_t* frame, size_t length, size_t from, std::vector<bool>& masked);

    Direction m_pc, m_radio;
};
