#include "text/language_file.h"

#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <new>

#include "platform/error_codes.h"
#include "platform/program_path.h"
#include "platform/read_whole_file.h"
#include "text/language_texts.h"

namespace {

constexpr uint16_t kEnglish = 0x0409;
constexpr uint16_t kJapanese = 0x0411;

bool IsHexDigit(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

unsigned HexValue(char16_t c) {
    if (c <= u'9') {
        return c - u'0';
    }
    return (c | 0x20) - u'a' + 10;
}

// The entry's ID: decimal, or hexadecimal after 0x; the number ends at the first character that
// cannot belong to it. No digits at all gives 0. Only the lower 32 bits count.
uint32_t ParseEntryId(const char16_t* p) {
    while (*p == u' ') {
        ++p;
    }
    bool negative = false;
    if (*p == u'-' || *p == u'+') {
        negative = *p == u'-';
        ++p;
    }
    uint64_t value = 0;
    if (p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && IsHexDigit(p[2])) {
        for (p += 2; IsHexDigit(*p); ++p) {
            value = value * 16 + HexValue(*p);
        }
    } else {
        for (; *p >= u'0' && *p <= u'9'; ++p) {
            value = value * 10 + static_cast<unsigned>(*p - u'0');
        }
    }
    if (negative) {
        value = 0 - value;
    }
    return static_cast<uint32_t>(value);
}

// Unescapes in place and clears the code units freed at the end.
void Unescape(char16_t* text) {
    char16_t* out = text;
    char16_t* in = text;
    while (*in) {
        if (*in == u'\\') {
            char16_t replacement = 0;
            switch (in[1]) {
                case u'"':
                    replacement = u'"';
                    break;
                case u'\\':
                    replacement = u'\\';
                    break;
                case u'n':
                    replacement = u'\n';
                    break;
                case u'r':
                    replacement = u'\r';
                    break;
                case u't':
                    replacement = u'\t';
                    break;
                default:
                    break;
            }
            if (replacement) {
                *out++ = replacement;
                in += 2;
                continue;
            }
        }
        *out++ = *in++;
    }
    while (out < in) {
        *out++ = 0;
    }
}

void ParseBuffer(char16_t* buffer) {
    char16_t* line = buffer;
    while (*line) {
        char16_t* lf = line;
        while (*lf && *lf != u'\n') {
            ++lf;
        }
        if (*lf != u'\n') {
            return;  // text after the last LF, or a U+0000, ends the file
        }
        *lf = 0;
        if (lf > line && lf[-1] == u'\r') {
            lf[-1] = 0;
        }
        if (line[0] != u';') {
            char16_t* tab = line;
            while (*tab && *tab != u'\t') {
                ++tab;
            }
            if (*tab == u'\t') {
                uint32_t id = ParseEntryId(line);
                Unescape(tab + 1);
                g_languageTexts[id] = tab + 1;
            }
        }
        line = lf + 1;
    }
}

uint32_t Fail(uint32_t code, const std::string& path, const LanguageFileReporter& report) {
    if (report) {
        report(code, path);
    }
    return code;
}

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

}  // namespace

uint32_t LoadLanguageFile(const std::string& path, const LanguageFileReporter& report) {
    const WholeFile file = ReadWholeFile(path, kLanguageFileMaxBytes);
    switch (file.fault) {
        case WholeFileFault::kNone:
            break;
        case WholeFileFault::kOpen:
        case WholeFileFault::kRead:
            return Fail(file.error.code, path, report);
        case WholeFileFault::kDirectory:
        case WholeFileFault::kNotRegular:
            return Fail(kErrAccessDenied, path, report);  // a folder of that name cannot be read as a file
        case WholeFileFault::kTooLarge:
        case WholeFileFault::kNoMemory:
        case WholeFileFault::kShrank:
        case WholeFileFault::kGrew:
            return Fail(kErrInvalidData, path, report);
    }
    const std::string& bytes = file.bytes;
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xFE) {
        return Fail(kErrInvalidData, path, report);
    }
    // Whole code units plus one terminator: the bytes after the mark, then at least one zero unit.
    const size_t units = bytes.size() / 2 + 1;
    std::unique_ptr<char16_t[]> buffer(new (std::nothrow) char16_t[units]());
    if (!buffer) {
        return Fail(kErrInvalidData, path, report);
    }
    std::memcpy(buffer.get(), bytes.data() + 2, bytes.size() - 2);
    ParseBuffer(buffer.get());
    g_languageBuffers.push_back(std::move(buffer));
    return 0;
}

std::vector<std::string> SelectLanguageFiles(const std::string& programPath, uint16_t systemLanguageId,
                                             const LanguageFileReporter& report) {
    std::vector<std::string> loaded;
    auto load = [&](const std::string& path) {
        const uint32_t result = LoadLanguageFile(path, report);
        if (result == 0) {
            loaded.push_back(path);
        }
        return result;
    };
    const std::string english = LocateDataFile(LanguageFilePath(programPath, kEnglish));
    uint32_t englishResult = kErrFileNotFound;
    if (Exists(english)) {
        englishResult = load(english);
    }
    if (englishResult == 0 && systemLanguageId == kEnglish) {
        return loaded;
    }
    // On an English system whose English file failed, that same file is tried once more here.
    const std::string system = LocateDataFile(LanguageFilePath(programPath, systemLanguageId));
    if (Exists(system)) {
        if (load(system) == 0) {
            return loaded;
        }
    } else if (englishResult == 0) {
        return loaded;
    }
    const std::string japanese = LocateDataFile(LanguageFilePath(programPath, kJapanese));
    if (Exists(japanese)) {
        load(japanese);
    }
    return loaded;
}
