#include "platform/program_path.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_pathMutex;
std::string g_programPath;

std::string ReadSelfExe() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string("talvero");
}
}  // namespace

std::string ProgramFilePath() {
    std::lock_guard lock(g_pathMutex);
    if (g_programPath.empty()) {
        g_programPath = ReadSelfExe();
    }
    return g_programPath;
}

void SetProgramFilePath(const std::string& path) {
    std::lock_guard lock(g_pathMutex);
    g_programPath = path;
}

std::string LanguageFilePath(const std::string& programPath, uint16_t languageId) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%04x.lang", static_cast<unsigned>(languageId));
    return programPath + suffix;
}

std::string HelpFilePath(const std::string& programPath) {
    size_t slash = programPath.rfind('/');
    size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = programPath.rfind('.');
    if (dot != std::string::npos && dot >= nameStart) {
        return programPath.substr(0, dot) + ".chm";
    }
    return programPath + ".chm";
}
