#pragma once
// Display width of radio texts: one column per code unit, two for every code unit above U+007F
// (the radio shows those as double-byte characters).
#include <cstddef>
#include <string>
#include <string_view>

size_t TextWidth(std::u16string_view text);

// Removes code units from the end until the text's width is at most `limit`; returns true when
// anything was removed.
bool FitTextWidth(std::u16string& text, size_t limit);

// One "*" per code unit, for showing secrets.
std::u16string MaskText(std::u16string_view text);
