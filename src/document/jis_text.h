#pragma once
// What the radio's display can show: it draws double-byte characters from JIS X 0208 only and
// single-byte ones from JIS X 0201 (ASCII and half-width katakana). Both functions look at the
// text as it will travel, converted to the ANSI code page (Shift_JIS on the radio's systems).
#include <string>
#include <string_view>

// True when the text survives the conversion (no character turns into "?") and every double-byte
// character of the converted text is a JIS X 0208 character. A lead byte left alone at the very
// end ends the check with success.
bool IsJisText(std::u16string_view text);

// Results of ToHalfWidth.
enum : int {
    kHalfWidthUnchanged = 0,  // nothing converted or dropped
    kHalfWidthConverted = 1,  // characters converted to their half-width forms, none dropped
    kHalfWidthDropped = 2,    // double-byte characters without a half-width form were dropped
};

// Readings are shown in half-width form: full-width kana (hiragana become katakana first),
// the kana punctuation, Latin letters, digits and the ideographic space become their single-byte
// forms; voiced and semi-voiced kana become the base kana followed by the sound mark. Every other
// double-byte character is dropped, and so is any character the code page cannot hold. Returns one of the
// results above.
int ToHalfWidth(std::u16string_view text, std::u16string& converted);
