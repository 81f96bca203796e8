#pragma once
// What a text row's editor accepts and how its refusal message is filled in, derived from the
// setting's catalogue rule: a page restates nothing the catalogue knows.
//
//   Number lo–hi   digits only, ASCII, as many digits as hi has; message arguments lo and hi
//   Width n        at most n display columns; the display-text check; argument n
//   Length n       at most n code units; argument n
//   DialNumber     at most 31 characters of "0123456789#*", ASCII
//   Ipv4           at most 15 characters of "0123456789.", ASCII
//   anything else  no limit
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char16_t kDigitChars[] = u"0123456789";
inline constexpr char16_t kPhoneChars[] = u"0123456789#*";
inline constexpr char16_t kAddressChars[] = u"0123456789.";
// Space to tilde.
std::u16string PrintableAsciiChars();

struct TextRowRule {
    // The editor's limits, as the cell editor takes them (0: none).
    int maxChars = 0;
    int maxAnsiBytes = 0;
    int maxUtf8Bytes = 0;
    int maxWidth = 0;
    std::u16string allowedChars;  // empty: every character
    bool asciiOnly = false;       // also detaches the input method
    // Every double-byte character must be one the radio can display (names, messages, display
    // texts); a refusal is reported with its own message.
    bool jisCheck = false;
    // printf arguments of the row's refusal message.
    std::vector<int64_t> errorArgs;
};

// The dial-number rule: what a telephone number may hold, whatever setting keeps it.
TextRowRule DialNumberTextRule();
// The rule of a catalogue setting (a plain name such as "def_id" or a family field such as
// "name"). An unknown name is a programming error.
TextRowRule CatalogueTextRule(std::u16string_view setting);
