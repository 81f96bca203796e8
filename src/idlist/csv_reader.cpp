#include "idlist/csv_reader.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/error_codes.h"
#include "platform/read_whole_file.h"
#include "platform/unicode.h"

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. Sets `nonAscii` when any
// byte above 0x7F occurs.
bool IsValidUtf8(std::string_view b, bool& nonAscii) {
    nonAscii = false;
    for (size_t i = 0; i < b.size();) {
        const auto c = static_cast<uint8_t>(b[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        size_t n = 0;
        uint32_t cp = 0, min = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            n = 1, cp = c & 0x1F, min = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            n = 2, cp = c & 0x0F, min = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3, cp = c & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + n >= b.size()) {
            return false;
        }
        for (size_t k = 1; k <= n; ++k) {
            const auto t = static_cast<uint8_t>(b[i + k]);
            if ((t & 0xC0) != 0x80) {
                return false;
            }
            cp = cp << 6 | (t & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += n + 1;
    }
    return true;
}

}  // namespace

size_t SplitCsvLine(std::u16string_view line, CsvRow& fields, bool trimQuoted) {
    fields.clear();
    std::u16string_view rest = line;
    for (;;) {
        rest = Trim(rest);
        if (rest.empty() || rest.front() != u'"') {
            const size_t comma = rest.find(u',');
            fields.emplace_back(Trim(rest.substr(0, comma)));
            if (comma == std::u16string_view::npos) {
                break;
            }
            rest.remove_prefix(comma + 1);
            continue;
        }
        std::u16string field;
        size_t i = 1;
        for (; i < rest.size(); ++i) {
            if (rest[i] != u'"') {
                field.push_back(rest[i]);
            } else if (i + 1 < rest.size() && rest[i + 1] == u'"') {
                field.push_back(u'"');
                ++i;
            } else {
                break;  // the closing quote
            }
        }
        fields.push_back(trimQuoted ? std::u16string(Trim(field)) : std::move(field));
        const size_t comma = i < rest.size() ? rest.find(u',', i + 1) : std::u16string_view::npos;
        if (comma == std::u16string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    return fields.size();
}

namespace {

// 1-based line of `pos`: CR LF, LF and CR each end one line, as ForEachCsvRow reads them.
template <typename Char>
unsigned LineAt(std::basic_string_view<Char> text, size_t pos) {
    unsigned line = 1;
    for (size_t i = 0; i < pos && i < text.size(); ++i) {
        if (text[i] == Char('\n') ||
            (text[i] == Char('\r') && (i + 1 >= text.size() || text[i + 1] != Char('\n')))) {
            ++line;
        }
    }
    return line;
}

// NULs that only pad the end lose nothing and are dropped; a NUL with text after it would cut the
// file short: its position goes to `nul` (npos when there is none).
template <typename Char>
std::basic_string_view<Char> WithoutPadding(std::basic_string_view<Char> text, size_t& nul) {
    const size_t last = text.find_last_not_of(Char(0));
    text = text.substr(0, last == std::basic_string_view<Char>::npos ? 0 : last + 1);
    nul = text.find(Char(0));
    return text;
}

size_t FirstInvalidUtf8(std::string_view b) {
    for (size_t i = 0; i < b.size();) {
        const auto c = static_cast<uint8_t>(b[i]);
        const size_t n = c < 0x80                 ? 1
                         : c >= 0xC2 && c <= 0xDF ? 2
                         : c >= 0xE0 && c <= 0xEF ? 3
                         : c >= 0xF0 && c <= 0xF4 ? 4
                                                  : 0;
        bool nonAscii = false;
        if (n == 0 || i + n > b.size() || !IsValidUtf8(b.substr(i, n), nonAscii)) {
            return i;
        }
        i += n;
    }
    return std::string_view::npos;
}

std::u16string Refuse(CsvTextFault* fault, CsvTextFault::Kind kind, unsigned line) {
    if (fault) {
        *fault = {kind, line};
    }
    return {};
}

size_t Questions(std::u16string_view text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), u'?'));
}

size_t Questions(std::string_view bytes) {
    return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '?'));
}

}  // namespace

std::u16string DecodeCsvBytes(std::string_view bytes, CsvTextFault* fault) {
    if (fault) {
        *fault = {};
    }
    std::u16string text;
    if (bytes.size() > 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
        static_cast<uint8_t>(bytes[1]) == 0xFE) {
        text.reserve((bytes.size() - 1) / 2);
        // An odd last byte pairs with a zero high byte, as if the file went on with NULs.
        for (size_t i = 2; i < bytes.size(); i += 2) {
            const auto lo = static_cast<uint8_t>(bytes[i]);
            const auto hi = i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[i + 1]) : uint8_t{0};
            text.push_back(static_cast<char16_t>(lo | hi << 8));
        }
        size_t nul = 0;
        const std::u16string_view kept = WithoutPadding(std::u16string_view(text), nul);
        if (nul != std::u16string_view::npos) {
            return Refuse(fault, CsvTextFault::Kind::Nul, LineAt(kept, nul));
        }
        text.resize(kept.size());
        return text;
    }
    size_t nul = 0;
    std::string_view text8 = WithoutPadding(bytes, nul);
    if (nul != std::string_view::npos) {
        return Refuse(fault, CsvTextFault::Kind::Nul, LineAt(text8, nul));
    }
    // A spreadsheet's CSV export is UTF-8, with or without a byte-order mark. Text in the ANSI
    // code page (Shift_JIS) is practically never valid UTF-8 once it holds a non-ASCII byte, so
    // such a file is read as UTF-8; anything else is the code page.
    const bool utf8Mark = text8.size() >= 3 && static_cast<uint8_t>(text8[0]) == 0xEF &&
                          static_cast<uint8_t>(text8[1]) == 0xBB && static_cast<uint8_t>(text8[2]) == 0xBF;
    if (utf8Mark) {
        text8.remove_prefix(3);
    }
    bool nonAscii = false;
    if (IsValidUtf8(text8, nonAscii) && (utf8Mark || nonAscii)) {
        return Utf8ToUtf16(text8);
    }
    if (utf8Mark) {
        // The mark says UTF-8: a broken sequence is a damaged file, not the code page.
        return Refuse(fault, CsvTextFault::Kind::NotText, LineAt(text8, FirstInvalidUtf8(text8)));
    }
    text = FromAnsi(text8);
    // The code page turns a byte it has no character for into "?" ("Al?ice"): that would import
    // a name nobody wrote, so the file is refused with the first line that has such a byte.
    if (Questions(text) != Questions(text8)) {
        unsigned line = 1;
        for (size_t start = 0; start < text8.size(); ++line) {
            size_t end = text8.find_first_of("\r\n", start);
            end = end == std::string_view::npos ? text8.size() : end;
            const std::string_view one = text8.substr(start, end - start);
            if (Questions(FromAnsi(one)) != Questions(one)) {
                return Refuse(fault, CsvTextFault::Kind::NotText, line);
            }
            start = end + (end + 1 < text8.size() && text8[end] == '\r' && text8[end + 1] == '\n' ? 2 : 1);
        }
        return Refuse(fault, CsvTextFault::Kind::NotText, 1);
    }
    return text;
}

uint32_t ReadCsvText(const std::string& path, std::u16string& text, CsvTextFault* fault) {
    text.clear();
    if (fault) {
        *fault = {};
    }
    const WholeFile file = ReadWholeFile(path, kCsvMaxBytes);
    if (file.fault == WholeFileFault::kTooLarge) {
        if (fault) {
            *fault = {CsvTextFault::Kind::TooLarge, 0};
        }
        return kErrInvalidData;
    }
    if (file.fault == WholeFileFault::kShrank || file.fault == WholeFileFault::kGrew) {
        return kErrInvalidData;  // the file changed while it was read
    }
    if (!file.ok()) {
        return file.error.code;  // 5 for a folder, as on Windows; 13 for a pipe or device
    }
    CsvTextFault found;
    text = DecodeCsvBytes(file.bytes, &found);
    if (fault) {
        *fault = found;
    }
    return found.ok() ? kErrSuccess : kErrInvalidData;
}

void ForEachCsvRow(std::u16string_view text, const std::function<void(const CsvRow&)>& row) {
    CsvRow fields;
    size_t start = 0;
    while (start < text.size()) {
        // CR LF, LF and CR all end a line: files edited on other systems, or by hand, mix them.
        const size_t end = text.find_first_of(u"\r\n", start);
        const std::u16string_view line =
            text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
        if (end == std::u16string_view::npos) {
            start = text.size();
        } else {
            start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
        }
        if (!line.empty() && line.front() == u';') {
            continue;
        }
        SplitCsvLine(line, fields, false);
        row(fields);
    }
}

uint32_t ReadCsvFile(const std::string& path, std::vector<CsvRow>& rows) {
    rows.clear();
    std::u16string text;
    const uint32_t code = ReadCsvText(path, text);
    if (code != kErrSuccess) {
        return code;
    }
    ForEachCsvRow(text, [&](const CsvRow& r) { rows.push_back(r); });
    return kErrSuccess;
}
