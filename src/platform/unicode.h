#pragma once
// UTF-8 ⇄ UTF-16 for the command-line tool, tests and file names. Invalid UTF-8 becomes U+FFFD;
// an unpaired surrogate becomes U+FFFD in UTF-8.
#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
