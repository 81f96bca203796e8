#include "document/config_file.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <unordered_map>

#include "document/secret_keys.h"
#include "document/talvero_doc.h"
#include "platform/code_page.h"
#include "platform/private_files.h"
#include "platform/read_whole_file.h"

namespace {

// No configuration comes near this; anything larger is not one, and reading it whole would only
// exhaust memory.
constexpr uint64_t kMaxConfigFileBytes = 64 * 1024 * 1024;

ErrorInfo SystemError(int err, const std::string& what) {
    ErrorInfo e;
    e.code = ErrnoToCode(err);
    e.sysErrno = err;
    e.detail = what + ": " + strerror(err);
    return e;
}

}  // namespace

std::string ConfigLoadResult::Describe() const {
    switch (refusal) {
        case ConfigRefusal::None:
            return "loaded";
        case ConfigRefusal::CannotOpen:
            return "cannot open the file (" + error.detail + ")";
        case ConfigRefusal::Empty:
            return "the file is empty";
        case ConfigRefusal::ShortRead:
            return "the file could not be read to its end";
        case ConfigRefusal::TooLarge:
            return "the file is far too large to be a configuration file";
        case ConfigRefusal::NotConfiguration:
            return "not a configuration file (its identifier or the [Config] line is missing)";
        case ConfigRefusal::EntryRefused:
            return "an ID list entry holds a value the radio cannot take (identifier, number, reading or "
                   "selection)";
    }
    return "refused";
}

ConfigRefusal ParseConfigurationBytes(const std::string& bytes, CIniData& map) {
    std::u16string text;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        const size_t units = (bytes.size() - 2) / 2;
        text.reserve(units);
        for (size_t i = 0; i < units; ++i) {
            const auto cu = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                                  (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
            text.push_back(cu);
        }
    } else {
        // An 8-bit file in the machine's code page, as a text editor writes it.
        text = FromAnsi(bytes);
    }
    // A NUL does not end the text: what follows it would be lost without a word. A value holding
    // one is refused by the loader, which says so; NULs that only pad the end are dropped.
    text.erase(text.find_last_not_of(u'\0') + 1);
    const size_t section = text.find(u"[Config]\r\n");
    if (text.find(kConfigFileIdentifier) == std::u16string::npos || section == std::u16string::npos) {
        return ConfigRefusal::NotConfiguration;
    }
    map.LoadText(std::u16string_view(text).substr(section + 10));
    return ConfigRefusal::None;
}

ConfigLoadResult OpenConfigurationFile(CTalveroDoc& doc, const std::string& path) {
    ConfigLoadResult result;
    WholeFile file = ReadWholeFile(path, kMaxConfigFileBytes);
    switch (file.fault) {
        case WholeFileFault::kNone:
            break;
        case WholeFileFault::kOpen:
        case WholeFileFault::kDirectory:
        case WholeFileFault::kNotRegular:
        case WholeFileFault::kNoMemory:
            result.refusal = ConfigRefusal::CannotOpen;
            result.error = file.error;
            return result;
        case WholeFileFault::kTooLarge:
            result.refusal = ConfigRefusal::TooLarge;
            return result;
        case WholeFileFault::kRead:
        case WholeFileFault::kShrank:
        case WholeFileFault::kGrew:
            result.refusal = ConfigRefusal::ShortRead;
            return result;
    }
    if (file.bytes.empty()) {
        result.refusal = ConfigRefusal::Empty;
        return result;
    }
    const std::string& bytes = file.bytes;
    CIniData map;
    result.refusal = ParseConfigurationBytes(bytes, map);
    if (!result.ok()) {
        return result;
    }
    if (!doc.LoadSettings(map, true)) {
        doc.SetDefaults();
        doc.UpdateAllViews(kHintLoaded, nullptr);
        result.refusal = ConfigRefusal::EntryRefused;
        return result;
    }
    doc.SetModifiedFlag(false);
    doc.SetPathName(path);
    return result;
}

std::string RenderConfigurationFile(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    std::u16string text;
    size_t total = 64;
    for (const auto& l : lines) {
        total += l.size() + 2;
    }
    text.reserve(total);
    text += u'\xFEFF';
    text += u';';
    text += kConfigFileIdentifier;
    text += u"\r\n;";
    text += kConfigFileTitle;
    text += u"\r\n[Config]\r\n";
    for (const auto& l : lines) {
        text += l;
        text += u"\r\n";
    }
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

bool HoldsSecret(const CTalveroDoc& doc) {
    // The secret lines of a new document, by key, in the radio form: the file form scrambles
    // secrets afresh on every rendering.
    static const std::unordered_map<std::u16string, std::u16string> defaults = [] {
        CTalveroDoc fresh;
        std::vector<std::u16string> lines;
        fresh.RenderSettings(lines, false);
        std::unordered_map<std::u16string, std::u16string> secret;
        for (const auto& line : lines) {
            const size_t eq = line.find(u'=');
            if (eq != std::u16string::npos && IsSecretKey(std::u16string_view(line).substr(0, eq))) {
                secret.emplace(line.substr(0, eq), line);
            }
        }
        return secret;
    }();
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    for (const auto& line : lines) {
        const size_t eq = line.find(u'=');
        if (eq == std::u16string::npos || eq + 1 == line.size() ||
            !IsSecretKey(std::u16string_view(line).substr(0, eq))) {
            continue;
        }
        const auto it = defaults.find(line.substr(0, eq));
        if (it == defaults.end() || it->second != line) {
            return true;
        }
    }
    return false;
}

bool SecretsReadableByOthers(const CTalveroDoc& doc, const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IRGRP | S_IROTH)) != 0 && HoldsSecret(doc);
}

ErrorInfo SaveConfigurationFile(CTalveroDoc& doc, const std::string& path) {
    ErrorInfo e = WriteFileAtomically(path, RenderConfigurationFile(doc), HoldsSecret(doc) ? 0600 : 0666);
    if (e.ok()) {
        doc.SetPathName(path);
        doc.SetModifiedFlag(false);
    }
    return e;
}

namespace {

// The file a save really writes: a symbolic link is followed to its target (also a dangling one,
// which the save then creates), so that the link stays a link and its target gets the new content.
bool ResolveSaveTarget(const std::string& path, std::string& target, int& err) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;  // a file, a missing file or something the write itself will refuse
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0) {
            err = errno;
            return false;
        }
        link.resize(static_cast<size_t>(n));
        const size_t slash = target.rfind('/');
        if (link.empty() || link[0] == '/' || slash == std::string::npos) {
            target = link;
        } else {
            target = target.substr(0, slash + 1) + link;
        }
    }
    err = ELOOP;
    return false;
}

}  // namespace

ErrorInfo WriteFileAtomically(const std::string& path, const std::string& bytes, unsigned newFileMode) {
    std::string target;
    int err = 0;
    if (!ResolveSaveTarget(path, target, err)) {
        return SystemError(err, path);
    }
    const size_t slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.empty()) {
        return SystemError(EISDIR, path);
    }
    // The new content is written to a file without a name first, so that a process killed while
    // writing leaves nothing behind; it gets a temporary name only for the moment of the rename.
    // Where the file system cannot do that, a named temporary file is used from the start.
    std::string tmp;
    // The unnamed file is given its name through /proc, so that must be there.
    int fd = ::access("/proc/self/fd", X_OK) == 0
                 ? ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600)
                 : -1;
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        tmp = dir + "/." + base + ".XXXXXX";
        fd = mkostemp(tmp.data(), O_CLOEXEC);
        if (fd < 0) {
            return SystemError(errno, path);
        }
    }
    // A file being replaced keeps its permission bits, and its owner and group where the process
    // may give them; a new file gets the usual permissions.
    struct stat st {};
    mode_t mode = static_cast<mode_t>(newFileMode & 0666);
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            if (fchown(fd, st.st_uid, st.st_gid) != 0) {
                [[maybe_unused]] const int ignored = fchown(fd, static_cast<uid_t>(-1), st.st_gid);
            }
        }
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode &= ~mask;
    }
    fchmod(fd, mode);  // after the owner: a change of owner clears the set-user-ID bits
    err = WriteAllBytes(fd, bytes);
    if (!err && fsync(fd) != 0) {
        err = errno;
    }
    if (!err && unnamed) {
        tmp = dir + "/." + base + ".XXXXXX";
        // A name that is free now; linkat fails with EEXIST should another process take it first.
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = tmp;
            const int probe = mkostemp(name.data(), O_CLOEXEC);
            if (probe < 0) {
                err = errno;
                break;
            }
            ::close(probe);
            ::unlink(name.c_str());
            const std::string self = "/proc/self/fd/" + std::to_string(fd);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                tmp = name;
                err = 0;
                break;
            }
            err = errno;
            if (err != EEXIST) {
                break;
            }
        }
        if (err) {
            tmp.clear();
        }
    }
    if (::close(fd) != 0 && !err) {
        err = errno;
    }
    if (!err && ::rename(tmp.c_str(), target.c_str()) != 0) {
        err = errno;
    }
    if (err) {
        if (!tmp.empty()) {
            ::unlink(tmp.c_str());
        }
        return SystemError(err, path);
    }
    return {};
}
