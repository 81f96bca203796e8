#include "idlist/csv_reader.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/error_codes.h"
#include "platform/read_whole_file.h"

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
    const size_t nul = bytes.find('\0');
    return FromAnsi(bytes.substr(0, nul));
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
    for (;;) {
        const size_t end = text.find(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            break;
        }
        const std::u16string_view line = text.substr(start, end - start);
        start = end + 2;
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
