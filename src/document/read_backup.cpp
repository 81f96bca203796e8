#include "document/read_backup.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>

#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/talvero_doc.h"
#include "platform/user_folders.h"

namespace fs = std::filesystem;

std::string DefaultBackupFolder() {
    return UserDataFolder() + "/backups";
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

bool EndsWith(const std::string& name, const std::string& end) {
    return name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0;
}

bool IsBackupName(const std::string& name) {
    return name.size() > 9 && name.compare(0, 5, "read-") == 0 &&
           (EndsWith(name, ".ini") || EndsWith(name, ".radio.txt"));
}

void Prune(const std::string& folder, std::chrono::system_clock::time_point now, std::chrono::hours keep,
           const std::string& justWritten) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (!IsBackupName(name) || entry.path().string().rfind(justWritten, 0) == 0 ||
            !entry.is_regular_file(ec)) {
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
        Prune(folder, now, keep, path.substr(0, path.size() - 4));
    }
    return r;
}

BackupResult SaveReadBackup(const CIniData& radioData, const std::string& receivedText,
                            const std::string& folder, std::chrono::system_clock::time_point now,
                            std::chrono::hours keep) {
    CTalveroDoc doc;
    doc.LoadSettings(radioData, false);
    BackupResult r = SaveReadBackup(doc, folder, now, keep);
    if (!r.error.ok() || receivedText.empty()) {
        return r;
    }
    const std::string textPath = r.path.substr(0, r.path.size() - 4) + ".radio.txt";
    r.error = WriteFileAtomically(textPath, receivedText);
    if (r.error.ok()) {
        ::chmod(textPath.c_str(), 0600);
        r.textPath = textPath;
    }
    return r;
}
