#include "certs/cert_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace {

class FdCloser {
  public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser() { ::close(m_fd); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

  private:
    int m_fd;
};

}  // namespace

uint32_t ReadCertificateFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: a named pipe must not hold the open until a writer comes along.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return ErrnoToCode(errno);
    }
    FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return ErrnoToCode(errno);
    }
    if (S_ISDIR(st.st_mode)) {
        return kErrAccessDenied;
    }
    if (!S_ISREG(st.st_mode) || st.st_size < 0) {
        return kErrInvalidParameter;  // a pipe or device has no length to compare
    }
    const auto length = static_cast<uint64_t>(st.st_size);
    if (length > kCertMaxBytes) {
        return kErrInvalidParameter;
    }
    try {
        bytes.resize(length);
    } catch (const std::bad_alloc&) {
        return kErrInsufficientBuffer;
    }
    size_t got = 0;
    while (got < length) {
        const ssize_t n = ::read(fd, bytes.data() + got, length - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const uint32_t code = ErrnoToCode(errno);
            bytes.clear();
            return code;
        }
        if (n == 0) {
            bytes.clear();
            return kErrInvalidParameter;  // the file shrank while it was read
        }
        got += static_cast<size_t>(n);
    }
    return kErrSuccess;
}
