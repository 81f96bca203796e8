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

std::u16string DecodeCsvBytes(std::string_view bytes) {
    std::u16string text;
    if (bytes.size() > 2 && static_cast<uint8_t>(bytes[0]) == 0xFF &&
        static_cast<uint8_t>(bytes[1]) == 0xFE) {
        text.reserve((bytes.size() - 1) / 2);
        // An odd last byte pairs with a zero high byte, as if the file went on with NULs.
        for (size_t i = 2; i < bytes.size(); i += 2) {
            const auto lo = static_cast<uint8_t>(bytes[i]);
            const auto hi = i + 1 < bytes.size() ? static_cast<uint8_t>(bytes[i + 1]) : uint8_t{0};
            const auto c = static_cast<char16_t>(lo | hi << 8);
            if (c == 0) {
                break;
            }
            text.push_back(c);
        }
        return text;
    }
    // A spreadsheet's CSV export is UTF-8, with or without a byte-order mark. Text in the ANSI
    // code page (Shift_JIS) is practically never valid UTF-8 once it holds a non-ASCII byte, so
    // such a file is read as UTF-8; anything else keeps the code page.
    std::string_view text8 = bytes.substr(0, bytes.find('\0'));
    const bool utf8Mark = text8.size() >= 3 && static_cast<uint8_t>(text8[0]) == 0xEF &&
                          static_cast<uint8_t>(text8[1]) == 0xBB && static_cast<uint8_t>(text8[2]) == 0xBF;
    if (utf8Mark) {
        text8.remove_prefix(3);
    }
    bool nonAscii = false;
    if (IsValidUtf8(text8, nonAscii) && (utf8Mark || nonAscii)) {
        return Utf8ToUtf16(text8);
    }
    return FromAnsi(text8);
}

uint32_t ReadCsvText(const std::string& path, std::u16string& text) {
    text.clear();
    // Past the limit the rest of the file is ignored.
    const WholeFile file = ReadWholeFile(path, kCsvMaxBytes, OverLimit::kReadPrefix);
    if (file.fault == WholeFileFault::kShrank || file.fault == WholeFileFault::kGrew) {
        return kErrInvalidData;  // the file changed while it was read
    }
    if (!file.ok()) {
        return file.error.code;  // 5 for a folder, as on Windows; 13 for a pipe or device
    }
    text = DecodeCsvBytes(file.bytes);
    return kErrSuccess;
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
