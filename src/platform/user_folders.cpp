#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

// $HOME, else the account's home directory; empty when neither names an absolute folder.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home == '/') {
        return home;
    }
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/') {
        return found->pw_dir;
    }
    return {};
}

std::string ProgramFolder(const char* variable, const char* fallbackBelowHome) {
    const char* set = std::getenv(variable);
    if (set && *set == '/') {
        return std::string(set) + "/Talvero";
    }
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + fallbackBelowHome + "/Talvero";
}

}  // namespace

std::string UserDataFolder() {
    return ProgramFolder("XDG_DATA_HOME", "/.local/share");
}

std::string UserStateFolder() {
    return ProgramFolder("XDG_STATE_HOME", "/.local/state");
}
