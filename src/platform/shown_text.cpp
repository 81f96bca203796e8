#include "platform/shown_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/unicode.h"

namespace {

// Length of the valid UTF-8 sequence at `i` with its code point, or 0 when it is not one.
size_t Utf8Sequence(std::string_view s, size_t i, uint32_t& cp) {
    const auto b = static_cast<uint8_t>(s[i]);
    size_t n = 0;
    uint32_t least = 0;
    if (b < 0x80) {
        cp = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2, cp = b & 0x1F, least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3, cp = b & 0x0F, least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4, cp = b & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size()) {
        return 0;
    }
    for (size_t k = 1; k < n; ++k) {
        const auto t = static_cast<uint8_t>(s[i + k]);
        if ((t & 0xC0) != 0x80) {
            return 0;
        }
        cp = cp << 6 | (t & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return n;
}

bool Reorders(uint32_t cp) {
    return (cp >= 0x202A && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069) || cp == 0x200E || cp == 0x200F ||
           cp == 0x061C || cp == 0x2028 || cp == 0x2029;
}

void AppendHexByte(std::string& out, uint8_t b) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", b);
    out += text;
}

}  // namespace

std::string EscapeControls(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        uint32_t cp = 0;
        const size_t n = Utf8Sequence(s, i, cp);
        if (n == 0) {
            AppendHexByte(out, static_cast<uint8_t>(s[i]));
            ++i;
            continue;
        }
        if (cp < 0x20 || cp == 0x7F) {
            switch (cp) {
                case '\t':
                    out += "\\t";
                    break;
                case '\n':
                    out += "\\n";
                    break;
                case '\r':
                    out += "\\r";
                    break;
                case 0x1B:
                    out += "\\e";
                    break;
                default:
                    AppendHexByte(out, static_cast<uint8_t>(cp));
            }
        } else if ((cp >= 0x80 && cp <= 0x9F) || Reorders(cp)) {
            char text[12];
            std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(cp));
            out += text;
        } else {
            out.append(s.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string CutText(std::string_view s, size_t maxChars) {
    size_t chars = 0;
    for (size_t i = 0; i < s.size();) {
        if (chars == maxChars) {
            return std::string(s.substr(0, i)) + "\u2026";
        }
        uint32_t cp = 0;
        const size_t n = Utf8Sequence(s, i, cp);
        i += n == 0 ? 1 : n;  // a stray byte counts as one character
        ++chars;
    }
    return std::string(s);
}

std::string ShownText(std::string_view utf8) {
    return EscapeControls(CutText(utf8));
}

std::string ShownText(std::u16string_view text) {
    // Only the part that is shown is converted: a value of millions of characters costs nothing.
    const size_t keep = std::min(text.size(), kShownTextMaxChars * 2 + 2);
    return EscapeControls(CutText(Utf16ToUtf8(text.substr(0, keep))));
}
