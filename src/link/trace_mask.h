#pragma once
// Finds the secret bytes of the frames on the link, so that a serial trace can show every frame
// without showing a password or a key. Configurations travel as clone text split over data frames
// at any byte, so the masker follows the text of each direction across frames: it reads each
// line's key, and masks every byte of the value of a secret key (document/secret_keys.h). A block
// the receiver refused is sent again, so the masker goes back to the start of the block too.
// The radio password frame is masked whole. Not thread-safe: the trace serialises calls.
#include <cstdint>
#include <string>
#include <vector>

class CTraceMasker {
  public:
    // Marks (true) the bytes of `frame` that are secret. `fromPc` is the direction.
    std::vector<bool> Mask(const uint8_t* frame, size_t length, bool fromPc);

  private:
    struct TextState {
        std::u16string key;
        uint16_t unit = 0;
        int digits = 0;
        bool inValue = false;
        bool secret = false;
        bool Feed(uint8_t byte);  // true: the byte belongs to a secret value
    };
    struct Direction {
        TextState now;
        TextState blockStart;  // where a refused block is sent again from
    };
    Direction& Side(bool fromPc) { return fromPc ? m_pc : m_radio; }

    Direction m_pc, m_radio;
};
