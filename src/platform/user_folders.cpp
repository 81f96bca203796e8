#include "platform/user_folders.h"

#include <cstdlib>

namespace {

std::string ProgramFolder(const char* variable, const char* fallbackBelowHome) {
    const char* set = std::getenv(variable);
    std::string base;
    if (set && *set == '/') {
        base = set;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + fallbackBelowHome;
    }
    return base + "/Talvero";
}

}  // namespace

std::string UserDataFolder() {
    return ProgramFolder("XDG_DATA_HOME", "/.local/share");
}

std::string UserStateFolder() {
    return ProgramFolder("XDG_STATE_HOME", "/.local/state");
}
