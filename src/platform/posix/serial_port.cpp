#include "platform/posix/serial_port.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <vector>

uint64_t NowMs() {
    return SystemClock().NowMs();
}

void SleepMs(uint32_t ms) {
    SystemClock().SleepMs(ms);
}

namespace {

speed_t SpeedConstant(uint32_t baudRate) {
    switch (baudRate) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        case 230400:
            return B230400;
        case 460800:
            return B460800;
        case 921600:
            return B921600;
        case 1152000:
            return B1152000;
        default:
            return B0;
    }
}

}  // namespace

ESerialPort::ESerialPort() = default;

ESerialPort::~ESerialPort() {
    ESerialPort::Close();
}

uint32_t ESerialPort::Fail(uint32_t code, int err, const std::string& what) {
    std::lock_guard<std::mutex> lock(m_errorLock);
    m_lastError.code = code;
    m_lastError.sysErrno = err;
    m_lastError.detail = (m_portName.empty() ? "" : m_portName + ": ") + what +
                         (err ? std::string(": ") + std::strerror(err) : "");
    return code;
}

ErrorInfo ESerialPort::LastError() const {
    std::lock_guard<std::mutex> lock(m_errorLock);
    return m_lastError;
}

uint32_t ESerialPort::Open(const std::string& port) {
    Close();
    m_portName = port;
    m_lineLost = false;
    int fd = -1;
    for (uint32_t attempt = 1;; ++attempt) {
        fd = ::open(port.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        int err = fd < 0 ? errno : 0;
        if (fd >= 0) {
            // TIOCEXCL keeps other programs out of the device; the lock also covers callers that
            // may bypass it (root) and a second open in this process.
            ::ioctl(fd, TIOCEXCL);
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                break;
            }
            err = errno;
            ::close(fd);
            fd = -1;
            if (err == EWOULDBLOCK) {
                err = EBUSY;
            }
        }
        if (err != EBUSY) {
            return Fail(ErrnoToCode(err), err, "cannot open");
        }
        if (attempt >= m_busyRetries) {
            return Fail(kErrAccessDenied, EBUSY, "cannot open");
        }
        m_clock.load()->SleepMs(m_busyRetryMs);
    }
    // Whatever the line held before it was opened is stale; dropped before the reader can take it.
    ::tcflush(fd, TCIOFLUSH);
    m_stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_stopFd < 0) {
        ::close(fd);
        return Fail(1, errno, "cannot start the reader");
    }
    m_fd = fd;
    try {
        m_reader = std::thread(&ESerialPort::ReaderLoop, this);
    } catch (const std::system_error& e) {
        Close();
        return Fail(1, e.code().value(), "cannot start the reader");
    }
    return kErrSuccess;
}

uint32_t ESerialPort::Configure(const std::string& port, uint32_t baudRate) {
    if (baudRate == 0) {
        m_portName = port;
        return Fail(kErrInvalidData, EINVAL, "no bit rate");
    }
    uint32_t r = Open(port);
    if (r != kErrSuccess) {
        return r;
    }
    struct termios tio;
    if (::tcgetattr(m_fd, &tio) != 0) {
        int err = errno;
        Close();
        return Fail(ErrnoToCode(err), err, "not a serial port");
    }
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t constant = SpeedConstant(baudRate);
    if (constant != B0) {
        ::cfsetispeed(&tio, constant);
        ::cfsetospeed(&tio, constant);
    }
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
        int err = errno;
        Close();
        return Fail(ErrnoToCode(err), err, "cannot set the line");
    }
    if (constant == B0) {
        if (int err = SetTerminalSpeed(m_fd, baudRate); err != 0) {
            Close();
            return Fail(ErrnoToCode(err), err, "cannot set the bit rate " + std::to_string(baudRate));
        }
    }
    m_clock.load()->SleepMs(m_settleMs);
    return kErrSuccess;
}

void ESerialPort::StopReader() {
    if (m_reader.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(m_stopFd, &one, sizeof one);
        m_reader.join();
    }
    if (m_stopFd >= 0) {
        ::close(m_stopFd);
        m_stopFd = -1;
    }
}

uint32_t ESerialPort::Close() {
    StopReader();
    if (m_fd >= 0) {
        ::ioctl(m_fd, TIOCNXCL);
        ::close(m_fd);
        m_fd = -1;
        m_clock.load()->NoteClosed();
        m_clock.load()->SleepMs(m_closeMs);
    }
    return kErrSuccess;
}

void ESerialPort::ReaderLoop() {
    std::vector<uint8_t> buffer(65536);
    bool watchLine = true;
    for (;;) {
        struct pollfd fds[2] = {{m_stopFd, POLLIN, 0}, {m_fd, static_cast<short>(watchLine ? POLLIN : 0), 0}};
        int n = ::poll(fds, watchLine ? 2 : 1, -1);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[0].revents) {
            return;
        }
        if (!watchLine) {
            continue;
        }
        if (fds[1].revents & POLLIN) {
            ssize_t got = ::read(m_fd, buffer.data(), buffer.size());
            if (got > 0) {
                for (ssize_t i = 0; i < got; ++i) {
                    OnReceiveByte(buffer[i]);
                }
                m_clock.load()->NoteReceived(static_cast<size_t>(got));
                continue;
            }
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
        } else if (!(fds[1].revents & (POLLHUP | POLLERR | POLLNVAL))) {
            continue;
        }
        // The other end is gone (a pseudo-terminal's master closed, a USB adapter pulled out):
        // nothing more will arrive, and polling further would only spin.
        m_lineLost = true;
        watchLine = false;
        OnLineLost();
    }
}

uint32_t ESerialPort::Write(const void* data, size_t length) {
    if (m_fd < 0) {
        return Fail(kErrBadUnit, EBADF, "port not open");
    }
    IClock& clock = *m_clock.load();
    const auto* p = static_cast<const uint8_t*>(data);
    size_t done = 0;
    // The time-out counts from the last byte the line took.
    uint64_t deadline = clock.NowMs() + m_timeoutMs;
    while (done < length) {
        ssize_t n = ::write(m_fd, p + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            clock.NoteSent(static_cast<size_t>(n));
            deadline = clock.NowMs() + m_timeoutMs;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno != EAGAIN) {
            int err = errno;
            if (err == EIO) {
                m_lineLost = true;
                return Fail(kErrBadUnit, err, "the line went away");
            }
            return Fail(ErrnoToCode(err), err, "cannot write");
        }
        const int slice = clock.PollSliceMs(deadline);
        if (slice <= 0) {
            return Fail(kErrTimeout, 0, "the output does not drain");
        }
        struct pollfd pfd = {m_fd, POLLOUT, 0};
        ::poll(&pfd, 1, slice);
    }
    return kErrSuccess;
}

size_t ESerialPort::InputQueued() const {
    int n = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &n) != 0 || n < 0) {
        return 0;
    }
    return static_cast<size_t>(n);
}

void ESerialPort::SetModemLines() {
    if (m_fd < 0) {
        return;
    }
    int rts = TIOCM_RTS, dtr = TIOCM_DTR;
    ::ioctl(m_fd, TIOCMBIS, &rts);
    ::ioctl(m_fd, TIOCMBIC, &dtr);
}
