// What every command shares when it prints outside text or writes a file.
#include <cstdio>
#include <string>

#include "commands.h"
#include "document/config_file.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextIdWaitingForLock = 10800;
constexpr uint32_t kTextIdSecretsShared = 2185;
// A warning or a key=value line longer than this is cut: no line of ours is, and a value of
// millions of characters would flood the terminal.
constexpr size_t kMaxShownLine = 1024;

}  // namespace

std::string ShownLine(std::u16string_view line) {
    const bool cut = line.size() > kMaxShownLine;
    std::string s = EscapeControls(Utf16ToUtf8(line.substr(0, cut ? kMaxShownLine : line.size())));
    return cut ? s + "\u2026" : s;
}

void PrintShownLine(FILE* out, std::u16string_view line) {
    std::string s = ShownLine(line);
    s.push_back('\n');
    std::fwrite(s.data(), 1, s.size(), out);
}

bool CheckOutputFile(const std::string& command, const std::string& path, int code, int& status) {
    const ErrorInfo e = CheckOutputTarget(path);
    if (e.ok()) {
        return true;
    }
    status = Fail(command + ": refused to write " + e.detail +
                      ": the file would be replaced by a regular file; name a file instead",
                  code);
    return false;
}

bool LockForUpdate(FileUpdateLock& lock, const std::string& command, const std::string& path, int code,
                   int& status) {
    const ErrorInfo e = lock.Lock(path, [&] {
        std::fprintf(
            stderr, "talvero-cli: %s: %s\n", command.c_str(),
            EscapeControls(Utf16ToUtf8(FormatLanguageText(kTextIdWaitingForLock, {Utf8ToUtf16(path)})))
                .c_str());
        std::fflush(stderr);
    });
    if (e.ok()) {
        return true;
    }
    status = Fail(command + ": cannot lock " + e.detail, code);
    return false;
}

ErrorInfo SaveAndWarn(CTalveroDoc& doc, const std::string& path) {
    const ErrorInfo e = SaveConfigurationFile(doc, path);
    if (e.ok() && SecretsReadableByOthers(doc, path)) {
        std::fprintf(
            stderr, "talvero-cli: warning: %s\n",
            EscapeControls(Utf16ToUtf8(FormatLanguageText(kTextIdSecretsShared, {Utf8ToUtf16(path)})))
                .c_str());
    }
    return e;
}
