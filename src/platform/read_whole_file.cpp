#include "platform/read_whole_file.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

WholeFile Fault(WholeFileFault fault, uint32_t code, int err, const std::string& path,
                const std::string& what) {
    WholeFile result;
    result.fault = fault;
    result.error.code = code;
    result.error.sysErrno = err;
    result.error.detail = path + ": " + what;
    return result;
}

WholeFile SystemFault(WholeFileFault fault, int err, const std::string& path) {
    return Fault(fault, ErrnoToCode(err), err, path, strerror(err));
}

// Reads until `size` bytes are in or the file ends; returns the count, or -1 with errno set.
ssize_t ReadFully(int fd, char* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path, uint64_t maxBytes, OverLimit overLimit) {
    // Without O_NONBLOCK a named pipe would hold the open until some writer came along.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        return SystemFault(WholeFileFault::kOpen, errno, path);
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        return SystemFault(WholeFileFault::kOpen, errno, path);
    }
    if (S_ISDIR(st.st_mode)) {
        return Fault(WholeFileFault::kDirectory, kErrAccessDenied, EISDIR, path, strerror(EISDIR));
    }
    if (!S_ISREG(st.st_mode)) {
        return Fault(WholeFileFault::kNotRegular, kErrInvalidData, 0, path, "not a regular file");
    }
    // The whole length counts, never only its lower 32 bits.
    const uint64_t length = static_cast<uint64_t>(st.st_size > 0 ? st.st_size : 0);
    uint64_t toRead = length;
    if (length > maxBytes) {
        if (overLimit == OverLimit::kRefuse) {
            return Fault(WholeFileFault::kTooLarge, kErrIncorrectSize, 0, path,
                         std::to_string(length) + " bytes, more than " + std::to_string(maxBytes));
        }
        toRead = maxBytes;
    }
    WholeFile result;
    try {
        result.bytes.resize(static_cast<size_t>(toRead));
    } catch (const std::bad_alloc&) {
        return Fault(WholeFileFault::kNoMemory, kErrNotEnoughMemory, ENOMEM, path, strerror(ENOMEM));
    }
    const ssize_t got = ReadFully(fd.get(), result.bytes.data(), result.bytes.size());
    if (got < 0) {
        return SystemFault(WholeFileFault::kRead, errno, path);
    }
    if (static_cast<uint64_t>(got) < toRead) {
        return Fault(WholeFileFault::kShrank, kErrHandleEof, 0, path, "the file shrank while it was read");
    }
    if (toRead == length) {
        char more = 0;
        const ssize_t extra = ReadFully(fd.get(), &more, 1);
        if (extra < 0) {
            return SystemFault(WholeFileFault::kRead, errno, path);
        }
        if (extra > 0) {
            return Fault(WholeFileFault::kGrew, kErrInvalidData, 0, path, "the file grew while it was read");
        }
    }
    return result;
}
