#include "link/trace_store.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>

#include "platform/private_files.h"
#include "platform/user_folders.h"

namespace fs = std::filesystem;

namespace {

constexpr char kExtension[] = ".trace";

bool IsTraceName(const std::string& name) {
    return name.size() > 6 && name.compare(name.size() - 6, 6, kExtension) == 0 && name[0] >= '0' &&
           name[0] <= '9';
}

}  // namespace

std::string DefaultTraceFolder() {
    const std::string state = UserStateFolder();
    return state.empty() ? state : state + "/traces";
}

std::string NewTracePath(const std::string& folder, const std::string& command, ErrorInfo& error,
                         std::chrono::system_clock::time_point now) {
    error = MakePrivateFolder(folder);
    if (!error.ok()) {
        return {};
    }
    std::error_code ec;
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    localtime_r(&t, &tm);
    char stamp[40];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
    char millis[8];
    std::snprintf(millis, sizeof millis, "-%03d", static_cast<int>(ms));
    const std::string stem = folder + "/" + stamp + millis + "-" + command;
    std::string path = stem + kExtension;
    for (int n = 2; fs::exists(fs::symlink_status(path, ec)); ++n) {
        path = stem + "-" + std::to_string(n) + kExtension;
    }
    error = {};
    return path;
}

std::vector<std::string> ListTraces(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (IsTraceName(name) && entry.is_regular_file(ec)) {
            names.push_back(name);
        }
    }
    std::sort(names.rbegin(), names.rend());
    for (auto& n : names) {
        n = folder + "/" + n;
    }
    return names;
}

void PruneTraces(const std::string& folder, size_t keep) {
    const std::vector<std::string> traces = ListTraces(folder);
    std::error_code ec;
    for (size_t i = keep; i < traces.size(); ++i) {
        fs::remove(traces[i], ec);
    }
}
