#include "document/ini_data.h"

#include <cstdint>

namespace {

constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// Digit values for the first 128 code units; everything else (and every non-digit) counts as 0.
struct HexTable {
    uint8_t v[128] = {};
    constexpr HexTable() {
        for (int c = '0'; c <= '9'; ++c)
            v[c] = static_cast<uint8_t>(c - '0');
        for (int c = 'A'; c <= 'F'; ++c)
            v[c] = static_cast<uint8_t>(c - 'A' + 10);
        for (int c = 'a'; c <= 'f'; ++c)
            v[c] = static_cast<uint8_t>(c - 'a' + 10);
    }
};
constexpr HexTable kHexTable;

inline unsigned HexValue(char16_t c) {
    return c < 128 ? kHexTable.v[c] : 0;
}

void DecodeInto(std::u16string_view hex, std::u16string& out) {
    out.resize((hex.size() + 3) / 4);
    const size_t whole = hex.size() / 4;
    const char16_t* p = hex.data();
    for (size_t i = 0; i < whole; ++i, p += 4) {
        out[i] = static_cast<char16_t>((HexValue(p[0]) << 12) | (HexValue(p[1]) << 8) |
                                       (HexValue(p[2]) << 4) | HexValue(p[3]));
    }
    if (whole < out.size()) {
        unsigned v = 0;
        for (size_t k = 0; k < 4; ++k) {
            v = (v << 4) | (whole * 4 + k < hex.size() ? HexValue(hex[whole * 4 + k]) : 0);
        }
        out[whole] = static_cast<char16_t>(v);
    }
}

void AppendHex(std::u16string& out, std::u16string_view text) {
    size_t at = out.size();
    out.resize(at + text.size() * 4);
    char16_t* p = out.data() + at;
    for (char16_t c : text) {
        p[0] = kHexDigits[(c >> 12) & 0xF];
        p[1] = kHexDigits[(c >> 8) & 0xF];
        p[2] = kHexDigits[(c >> 4) & 0xF];
        p[3] = kHexDigits[c & 0xF];
        p += 4;
    }
}

}  // namespace

template <typename LineFn>
void CIniData::Parse(std::u16string_view text, LineFn handle) {
    m_map.clear();
    // The text behaves as if CR LF were appended: the last line needs no terminator, and a text
    // ending in CR LF yields an empty last line, which has no "=" and is skipped.
    size_t pos = 0;
    for (;;) {
        size_t end = text.find(u"\r\n", pos);
        if (end == std::u16string_view::npos) {
            handle(text.substr(pos));
            break;
        }
        handle(text.substr(pos, end - pos));
        pos = end + 2;
    }
}

void CIniData::StoreLine(std::u16string_view line) {
    size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) {
        return;
    }
    m_map.insert_or_assign(std::u16string(line.substr(0, eq)), std::u16string(line.substr(eq + 1)));
}

void CIniData::LoadText(std::u16string_view text) {
    Parse(text, [this](std::u16string_view line) { StoreLine(line); });
}

void CIniData::LoadHexText(std::u16string_view hexText) {
    std::u16string decoded;
    // Each line is a quarter of its hexadecimal length once decoded, plus the line break.
    m_map.reserve(hexText.size() / 64);
    Parse(hexText, [this, &decoded](std::u16string_view line) {
        DecodeInto(line, decoded);
        StoreLine(decoded);
    });
}

std::u16string CIniData::GetValue(std::u16string_view key, std::u16string_view fallback) const {
    const std::u16string* v = Find(key);
    return v ? *v : std::u16string(fallback);
}

const std::u16string* CIniData::Find(std::u16string_view key) const {
    auto it = m_map.find(key);
    return it == m_map.end() ? nullptr : &it->second;
}

void CIniData::SetValue(std::u16string_view key, std::u16string_view value) {
    m_map.insert_or_assign(std::u16string(key), std::u16string(value));
}

std::u16string EncodeHexText(std::u16string_view text) {
    std::u16string out;
    AppendHex(out, text);
    return out;
}

std::u16string DecodeHexText(std::u16string_view hex) {
    std::u16string out;
    DecodeInto(hex, out);
    return out;
}

std::u16string RenderHexLines(const std::vector<std::u16string>& lines) {
    size_t total = 0;
    for (const auto& l : lines) {
        total += l.size() * 4 + 2;
    }
    std::u16string out;
    out.reserve(total);
    for (const auto& l : lines) {
        AppendHex(out, l);
        out += u"\r\n";
    }
    return out;
}
