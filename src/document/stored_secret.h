#pragma once
// Secrets (passwords, keys, certificates) are written to the configuration file scrambled, never
// in plain text: a random start value, then the text and random filler, each unit rotated by a
// table entry. The radio receives them plain.
#include <cstddef>
#include <string>
#include <string_view>

std::u16string EncodeStoredSecret(std::u16string_view text, size_t capacity);
// An empty, malformed or wrongly sized text decodes to the empty text.
std::u16string DecodeStoredSecret(std::u16string_view text);
