#include "document/read_backup.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/talvero_doc.h"
#include "platform/private_files.h"
#include "platform/user_folders.h"

namespace fs = std::filesystem;

std::string DefaultBackupFolder() {
    const std::string data = UserDataFolder();
    return data.empty() ? data : data + "/backups";
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

namespace {

// Writes the backup under the first free "read-<stamp>[-n]" name, and the radio's text beside it
// when there is one. A name is free only when neither file exists in any form: a link planted under
// either name is never written through, the next number is taken instead.
BackupResult WriteBackup(const std::string& configuration, const std::string& receivedText,
                         const std::string& folder, std::chrono::system_clock::time_point now,
                         std::chrono::hours keep) {
    BackupResult r;
    r.error = MakePrivateFolder(folder);
    if (!r.error.ok()) {
        return r;
    }
    const std::string stem = folder + "/read-" + Stamp(now);
    for (int n = 1; n < 10000; ++n) {
        const std::string base = n == 1 ? stem : stem + "-" + std::to_string(n);
        r.error = CreatePrivateFile(base + ".ini", configuration);
        if (r.error.sysErrno == EEXIST) {
            continue;
        }
        if (!r.error.ok()) {
            return r;
        }
        if (!receivedText.empty()) {
            r.error = CreatePrivateFile(base + ".radio.txt", receivedText);
            if (!r.error.ok()) {
                ::unlink((base + ".ini").c_str());
                if (r.error.sysErrno == EEXIST) {
                    continue;
                }
                return r;
            }
            r.textPath = base + ".radio.txt";
        }
        r.path = base + ".ini";
        Prune(folder, now, keep, base);
        return r;
    }
    return r;
}

}  // namespace

BackupResult SaveReadBackup(const CTalveroDoc& doc, const std::string& folder,
                            std::chrono::system_clock::time_point now, std::chrono::hours keep) {
    return WriteBackup(RenderConfigurationFile(doc), std::string(), folder, now, keep);
}

BackupResult SaveReadBackup(const CIniData& radioData, const std::string& receivedText,
                            const std::string& folder, std::chrono::system_clock::time_point now,
                            std::chrono::hours keep) {
    CTalveroDoc doc;
    doc.LoadSettings(radioData, false);
    return WriteBackup(RenderConfigurationFile(doc), receivedText, folder, now, keep);
}
