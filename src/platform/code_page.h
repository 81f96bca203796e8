#pragma once
// The one place where text crosses between UTF-16 and the 8-bit "ANSI code page": clone text on
// the wire, 8-bit configuration and CSV files, and the radio's display-text checks.
// The code page is CP932 unless TALVERO_CODEPAGE names another one known to iconv.
#include <string>
#include <string_view>

// Name of the code page in use (for messages and tests).
std::string AnsiCodePageName();

// UTF-16 to the code page. Characters the code page cannot hold become "?", as the Windows
// conversion does; an unpaired surrogate also becomes "?".
std::string ToAnsi(std::u16string_view text);

// Code page to UTF-16. A byte that does not start a valid character of the code page becomes "?",
// so a broken 8-bit file never produces text the radio cannot take.
std::u16string FromAnsi(std::string_view bytes);

// Switches the code page for the calling process (tests only); returns false when iconv does
// not know the name, leaving the current one in place.
bool SetAnsiCodePageForTesting(const std::string& name);
