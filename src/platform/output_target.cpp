#include "platform/output_target.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a FIFO";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "not a plain file";
}

ErrorInfo SystemError(int err, const std::string& path) {
    return ErrorInfo{ErrnoToCode(err), err, path + ": " + std::strerror(err)};
}

enum class Attempt { kLocked, kBusy, kNothing, kReplaced, kFailed };

}  // namespace

ErrorInfo CheckOutputTarget(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return {};  // a new file (or a dangling link the save creates)
    }
    if (S_ISREG(st.st_mode)) {
        return {};
    }
    return ErrorInfo{kErrAccessDenied, 0, path + ": not a regular file (" + KindOf(st.st_mode) + ")"};
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    const bool hasA = ::stat(a.c_str(), &sa) == 0;
    const bool hasB = ::stat(b.c_str(), &sb) == 0;
    if (hasA && hasB) {
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    }
    if (hasA || hasB) {
        return false;
    }
    std::error_code ea, eb;
    const auto pa = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
    const auto pb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
    return !ea && !eb && pa == pb;
}

FileUpdateLock::~FileUpdateLock() {
    Unlock();
}

void FileUpdateLock::Unlock() {
    if (m_fd >= 0) {
        ::close(m_fd);  // closing the last descriptor releases the lock
        m_fd = -1;
    }
}

namespace {

// One attempt: open, lock (waiting or not), then make sure the path still names the locked file.
Attempt LockOnce(const std::string& path, bool wait, int& fd, int& err) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        err = errno;
        return err == ENOENT ? Attempt::kNothing : Attempt::kFailed;
    }
    struct stat held {};
    if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
        ::close(fd);
        fd = -1;
        return Attempt::kNothing;
    }
    int r;
    while ((r = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (r != 0) {
        err = errno;
        ::close(fd);
        fd = -1;
        return err == EWOULDBLOCK ? Attempt::kBusy : Attempt::kFailed;
    }
    struct stat now {};
    if (::stat(path.c_str(), &now) != 0 || now.st_dev != held.st_dev || now.st_ino != held.st_ino) {
        // The holder saved a new file in the meantime: that one is the file to lock.
        ::close(fd);
        fd = -1;
        return Attempt::kReplaced;
    }
    return Attempt::kLocked;
}

}  // namespace

ErrorInfo FileUpdateLock::Lock(const std::string& path, const std::function<void()>& onWait) {
    Unlock();
    bool told = false;
    for (;;) {
        int fd = -1, err = 0;
        Attempt a = LockOnce(path, false, fd, err);
        if (a == Attempt::kBusy) {
            if (!told && onWait) {
                onWait();
            }
            told = true;
            a = LockOnce(path, true, fd, err);
        }
        switch (a) {
            case Attempt::kLocked:
                m_fd = fd;
                return {};
            case Attempt::kNothing:
                return {};
            case Attempt::kFailed:
                return SystemError(err, path);
            case Attempt::kBusy:
            case Attempt::kReplaced:
                continue;
        }
    }
}
