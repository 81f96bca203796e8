#include "document/recovery_store.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "platform/private_files.h"
#include "platform/user_folders.h"

namespace fs = std::filesystem;

namespace {

constexpr char kLock[] = ".lock";
constexpr char kCopy[] = ".ini";
constexpr char kPath[] = ".path";

ErrorInfo SystemError(int err, const std::string& what) {
    return {ErrnoToCode(err), err, what + ": " + ::strerror(err)};
}

std::string SlotName() {
    std::random_device random;
    return "slot-" + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000);
}

// True when no living program holds the slot's lock.
bool Abandoned(const std::string& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);  // releases the lock again
    return free;
}

void RemoveSlot(const std::string& slot) {
    std::error_code ec;
    fs::remove(slot + kCopy, ec);
    fs::remove(slot + kPath, ec);
    fs::remove(slot + kLock, ec);
}

std::string SlotOf(const std::string& copyFile) {
    return copyFile.substr(0, copyFile.size() - (sizeof kCopy - 1));
}

}  // namespace

std::string DefaultRecoveryFolder() {
    const std::string state = UserStateFolder();
    return state.empty() ? state : state + "/recovery";
}

RecoveryStore::RecoveryStore(std::string folder) : m_folder(std::move(folder)) {
    m_slotError = MakePrivateFolder(m_folder);
    if (!m_slotError.ok()) {
        return;
    }
    const std::string slot = m_folder + "/" + SlotName();
    const std::string lock = slot + kLock;
    m_lockFd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        m_slotError = SystemError(errno, lock);
        if (m_lockFd >= 0) {
            ::close(m_lockFd);
            m_lockFd = -1;
        }
        return;
    }
    m_slot = slot;
}

RecoveryStore::~RecoveryStore() {
    if (m_lockFd >= 0) {
        // Without a copy the slot has nothing to offer: leave no empty slot behind.
        if (!HasCopy()) {
            RemoveSlot(m_slot);
        }
        ::close(m_lockFd);
    }
}

ErrorInfo RecoveryStore::Save(const CTalveroDoc& doc) {
    if (m_slot.empty()) {
        return m_slotError;
    }
    // The path first: a copy is only offered when both are there, and the copy is newer.
    ErrorInfo error = ReplacePrivateFile(m_slot + kPath, doc.GetPathName());
    if (error.ok()) {
        error = ReplacePrivateFile(m_slot + kCopy, RenderConfigurationFile(doc));
    }
    return error;
}

void RecoveryStore::Discard() {
    if (m_slot.empty()) {
        return;
    }
    std::error_code ec;
    fs::remove(m_slot + kCopy, ec);
    fs::remove(m_slot + kPath, ec);
}

bool RecoveryStore::HasCopy() const {
    std::error_code ec;
    return !m_slot.empty() && fs::exists(m_slot + kCopy, ec);
}

std::vector<RecoveredCopy> RecoveryStore::FindLeftBehind() const {
    std::vector<RecoveredCopy> found;
    std::error_code ec;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        if (entry.extension() != kLock) {
            continue;
        }
        const std::string slot = (entry.parent_path() / entry.stem()).string();
        if (slot == m_slot || !Abandoned(entry.string())) {
            continue;
        }
        std::error_code e2;
        const std::string copy = slot + kCopy;
        if (!fs::is_regular_file(copy, e2)) {
            RemoveSlot(slot);
            continue;
        }
        RecoveredCopy item{copy, {}, fs::last_write_time(copy, e2)};
        std::ifstream pathFile(slot + kPath, std::ios::binary);
        std::getline(pathFile, item.documentPath, '\0');
        if (!item.documentPath.empty()) {
            const auto documentTime = fs::last_write_time(item.documentPath, e2);
            if (!e2 && documentTime >= item.saved) {
                RemoveSlot(slot);  // saved after the copy was made: nothing is lost
                continue;
            }
        }
        found.push_back(std::move(item));
    }
    std::sort(found.begin(), found.end(),
              [](const RecoveredCopy& a, const RecoveredCopy& b) { return a.saved > b.saved; });
    return found;
}

ErrorInfo RecoveryStore::Restore(CTalveroDoc& doc, const RecoveredCopy& copy) {
    const ConfigLoadResult result = OpenConfigurationFile(doc, copy.file);
    if (!result.ok()) {
        ErrorInfo error = result.error;
        if (error.ok()) {
            error.code = kErrInvalidData;
        }
        error.detail = copy.file + ": " + result.Describe();
        return error;
    }
    doc.SetPathName(copy.documentPath);
    doc.SetModifiedFlag(true);
    Remove(copy);
    return {};
}

void RecoveryStore::Remove(const RecoveredCopy& copy) {
    RemoveSlot(SlotOf(copy.file));
}
