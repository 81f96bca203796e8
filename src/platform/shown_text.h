#pragma once
// Text that came from a radio or a file, made fit to be printed on a terminal or in a message:
// control characters (C0, DEL, C1) and the characters that reorder a line (bidirectional
// overrides and isolates) are written as escapes, so that a value can neither move the cursor,
// clear the screen nor recolour or hide what follows; bytes that are not UTF-8 are shown as \xNN.
// A backslash is left as it is, so escaping twice changes nothing.
//
// Echoed values are also cut: a refused value of 60 MB is told by its first characters.
#include <cstddef>
#include <string>
#include <string_view>

// How many characters of a value a message repeats.
inline constexpr size_t kShownTextMaxChars = 64;

// \t \n \r \e and \xNN for the C0 controls and DEL, \u0085 style for C1 controls and the
// reordering characters, \xNN for each byte of an invalid UTF-8 sequence.
std::string EscapeControls(std::string_view utf8);

// The first `maxChars` characters (code points) of the text followed by "…" when there were more;
// the text itself otherwise. Never cuts inside a UTF-8 sequence.
std::string CutText(std::string_view utf8, size_t maxChars = kShownTextMaxChars);

// A value as messages repeat it: cut, then escaped.
std::string ShownText(std::string_view utf8);
std::string ShownText(std::u16string_view text);
