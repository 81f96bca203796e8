#include "platform/private_files.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

ErrorInfo SystemError(int err, const std::string& what) {
    return {ErrnoToCode(err), err, what + ": " + ::strerror(err)};
}

ErrorInfo Refusal(int err, const std::string& what, const std::string& why) {
    return {ErrnoToCode(err), err, what + ": " + why};
}

// Makes the new file `fd` 0600, writes every byte to disk and closes it; 0 or the errno of the
// first failure. The caller removes the file when it fails.
int FillAndClose(int fd, const std::string& bytes) {
    int err = ::fchmod(fd, 0600) != 0 ? errno : 0;
    if (!err) {
        err = WriteAllBytes(fd, bytes);
    }
    if (!err && ::fsync(fd) != 0) {
        err = errno;
    }
    if (::close(fd) != 0 && !err) {
        err = errno;
    }
    return err;
}

// A folder above ours: this user's or root's, and no one else may put or swap entries in it.
bool TrustedAbove(const struct stat& st) {
    if (st.st_uid != ::geteuid() && st.st_uid != 0) {
        return false;
    }
    const bool othersWrite =
        (st.st_mode & S_IWOTH) != 0 || ((st.st_mode & S_IWGRP) != 0 && st.st_gid != ::getegid());
    return !othersWrite || (st.st_mode & S_ISVTX) != 0;
}

// Writes `bytes` to a new temporary file beside `path` (mkostemp: O_EXCL, 0600); its name, or an
// empty name with `err` set.
std::string WriteTemporary(const std::string& path, const std::string& bytes, int& err) {
    const size_t slash = path.rfind('/');
    std::string tmp = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "." +
                      path.substr(slash == std::string::npos ? 0 : slash + 1) + ".XXXXXX";
    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0) {
        err = errno;
        return {};
    }
    err = FillAndClose(fd, bytes);
    if (err) {
        ::unlink(tmp.c_str());
        return {};
    }
    return tmp;
}

}  // namespace

int WriteAllBytes(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    return 0;
}

ErrorInfo MakePrivateFolder(const std::string& folder) {
    if (folder.empty()) {
        return Refusal(ENOENT, "(no folder)", "there is no home folder to keep the program's files in");
    }
    std::string path = folder;
    if (path[0] != '/') {
        char cwd[4096];
        if (::getcwd(cwd, sizeof cwd) == nullptr) {
            return SystemError(errno, folder);
        }
        path = std::string(cwd) + "/" + path;
    }
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    // Every folder from the root down: the ones above ours must be trusted, missing ones are made.
    std::vector<std::string> chain;
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        chain.push_back(path.substr(0, slash));
    }
    chain.insert(chain.begin(), "/");
    for (const std::string& above : chain) {
        struct stat st {};
        // A link on the way is only as good as whoever made it.
        if (::lstat(above.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && st.st_uid != ::geteuid() &&
            st.st_uid != 0) {
            return Refusal(EACCES, above, "a symbolic link another user made");
        }
        if (::stat(above.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                return SystemError(errno, above);
            }
            if (::mkdir(above.c_str(), 0700) != 0 && errno != EEXIST) {
                return SystemError(errno, above);
            }
            if (::stat(above.c_str(), &st) != 0) {
                return SystemError(errno, above);
            }
        }
        if (!S_ISDIR(st.st_mode)) {
            return SystemError(ENOTDIR, above);
        }
        if (!TrustedAbove(st)) {
            return Refusal(EACCES, above, "another user owns this folder or may write in it");
        }
    }
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return SystemError(errno, folder);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP || errno == ENOTDIR) {
            return Refusal(ENOTDIR, folder, "not a folder of its own (a symbolic link or a file)");
        }
        return SystemError(errno, folder);
    }
    struct stat st {};
    ErrorInfo result;
    if (::fstat(fd, &st) != 0) {
        result = SystemError(errno, folder);
    } else if (st.st_uid != ::geteuid()) {
        result = Refusal(EACCES, folder, "the folder belongs to another user");
    } else if ((st.st_mode & 07777) != 0700 && ::fchmod(fd, 0700) != 0) {
        result = SystemError(errno, folder);
    }
    ::close(fd);
    return result;
}

ErrorInfo CreatePrivateFile(const std::string& path, const std::string& bytes) {
    int err = 0;
    const std::string tmp = WriteTemporary(path, bytes, err);
    if (!tmp.empty()) {
        // A hard link never follows a link at its new name and fails when the name is taken.
        if (::linkat(AT_FDCWD, tmp.c_str(), AT_FDCWD, path.c_str(), 0) == 0) {
            ::unlink(tmp.c_str());
            return {};
        }
        err = errno;
        ::unlink(tmp.c_str());
        if (err == EEXIST) {
            return SystemError(err, path);
        }
    }
    // A file system without hard links: an exclusive create, removed again when writing fails.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return SystemError(errno, path);
    }
    err = FillAndClose(fd, bytes);
    if (err) {
        ::unlink(path.c_str());
        return SystemError(err, path);
    }
    return {};
}

ErrorInfo ReplacePrivateFile(const std::string& path, const std::string& bytes) {
    int err = 0;
    const std::string tmp = WriteTemporary(path, bytes, err);
    if (tmp.empty()) {
        return SystemError(err, path);
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        err = errno;
        ::unlink(tmp.c_str());
        return SystemError(err, path);
    }
    return {};
}

int OpenPrivateFile(const std::string& path, ErrorInfo& error) {
    // Non-blocking, so that a FIFO without a reader fails instead of waiting for ever.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = errno == ELOOP ? Refusal(ELOOP, path, "a symbolic link is not written through")
                               : SystemError(errno, path);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = SystemError(errno, path);
    } else if (!S_ISREG(st.st_mode)) {
        error = Refusal(EINVAL, path, "not a regular file");
    } else if (st.st_uid != ::geteuid()) {
        error = Refusal(EACCES, path, "the file belongs to another user");
    } else if (::fchmod(fd, 0600) != 0 || ::ftruncate(fd, 0) != 0 ||
               ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        error = SystemError(errno, path);
    } else {
        error = {};
        return fd;
    }
    ::close(fd);
    return -1;
}
