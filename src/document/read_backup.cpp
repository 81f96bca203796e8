#include "document/read_backup.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "document/config_file.h"
#include "document/talvero_doc.h"

namespace fs = std::filesystem;

std::string DefaultBackupFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.local/share";
    }
    return base + "/Talvero/backups";
}

namespace {

std::string Stamp(std::chrono::system_clock::time_point t) {
    const std::time_t tt = std::chrono::system_clock::to_time_t(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y%m%d-%H%M%S", &tm);
    return buf;
}

bool IsBackupName(const std::string& name) {
    return name.size() > 9 && name.compare(0, 5, "read-") == 0 &&
           name.compare(name.size() - 4, 4, ".ini") == 0;
}

void Prune(const std::string& folder, std::chrono::system_clock::time_point now, std::chrono::hours keep,
           const std::string& justWritten) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!IsBackupName(name) || entry.path().string() == justWritten || !entry.is_regular_file(ec)) {
            continue;
        }
        struct stat st {};
        if (::stat(entry.path().c_str(), &st) != 0) {
            continue;
        }
        const auto modified = std::chrono::system_clock::from_time_t(st.st_mtime);
        if (now - modified > keep) {
            fs::remove(entry.path(), ec);
        }
    }
}

}  // namespace

BackupResult SaveReadBackup(const CTalveroDoc& doc, const std::string& folder,
                            std::chrono::system_clock::time_point now, std::chrono::hours keep) {
    BackupResult r;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        r.error.code = ErrnoToCode(ec.value());
        r.error.sysErrno = ec.value();
        r.error.detail = folder + ": " + ec.message();
        return r;
    }
    const std::string stem = folder + "/read-" + Stamp(now);
    std::string path = stem + ".ini";
    for (int n = 2; fs::exists(path, ec); ++n) {
        path = stem + "-" + std::to_string(n) + ".ini";
    }
    r.error = WriteFileAtomically(path, RenderConfigurationFile(doc));
    if (r.error.ok()) {
        r.path = path;
        Prune(folder, now, keep, path);
    }
    return r;
}
