#include "platform/program_path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>

#ifndef TALVERO_BIN_TO_DATA
#define TALVERO_BIN_TO_DATA "../share/talvero"
#endif

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

std::string InstalledDataFolder(const std::string& programFolder) {
    return programFolder + "/" TALVERO_BIN_TO_DATA;
}

std::string LocateDataFile(const std::string& besideProgram) {
    struct stat st {};
    if (stat(besideProgram.c_str(), &st) == 0) {
        return besideProgram;
    }
    const size_t slash = besideProgram.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string(".") : besideProgram.substr(0, slash);
    const std::string name = slash == std::string::npos ? besideProgram : besideProgram.substr(slash + 1);
    const std::string installed = InstalledDataFolder(folder) + "/" + name;
    // The real path, not bin/..: on a system where bin is a symbolic link the two differ.
    if (char* real = realpath(installed.c_str(), nullptr)) {
        std::string found(real);
        std::free(real);
        return found;
    }
    return besideProgram;
}
