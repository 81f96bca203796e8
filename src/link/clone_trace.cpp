#include "link/clone_trace.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#include <unistd.h>

#include "platform/private_files.h"

namespace {

const char kHex[] = "0123456789ABCDEF";

}  // namespace

std::string TracePayload(const uint8_t* frame, size_t length, const std::vector<bool>& masked) {
    std::string out;
    const size_t end = length > 4 && frame[length - 1] == 0xFD ? length - 1 : length;
    for (size_t i = 4; i < end; ++i) {
        if (masked[i]) {
            out += "**";
        } else {
            out += kHex[frame[i] >> 4];
            out += kHex[frame[i] & 15];
        }
    }
    return out;
}

std::string TraceTimestamp() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[40];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%S", &tm);
    char out[48];
    std::snprintf(out, sizeof out, "%s.%03dZ", buf, static_cast<int>(ms));
    return out;
}

CCloneTrace::~CCloneTrace() {
    Close();
}

bool CCloneTrace::Open(const std::string& path, const std::string& heading) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_file) {
        std::fclose(m_file);
    }
    m_path = path;
    m_failure = {};
    m_failureTaken = false;
    m_masker = CTraceMasker{};
    const int fd = OpenPrivateFile(path, m_failure);
    m_file = fd < 0 ? nullptr : ::fdopen(fd, "w");
    if (!m_file) {
        if (fd >= 0) {
            Failed(errno);
            ::close(fd);
        }
        return false;
    }
    WriteLine("# " + heading);
    WriteLine("# time (UTC), direction, bit/s, command, frame bytes, payload (hex; ** = masked)");
    return m_file != nullptr;
}

void CCloneTrace::Close() {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_file && std::fclose(m_file) != 0 && m_failure.ok()) {
        m_failure = ErrorInfo{ErrnoToCode(errno), errno, m_path + ": " + std::strerror(errno)};
    }
    m_file = nullptr;
}

void CCloneTrace::SetSpeed(uint32_t bitsPerSecond) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_speed = bitsPerSecond;
}

void CCloneTrace::Record(const uint8_t* frame, size_t length, bool fromPc) {
    std::lock_guard<std::mutex> lock(m_lock);
    // The masker follows the text even when the file is gone, so that nothing can slip out if
    // writing recovers; it costs nothing worth saving.
    const std::vector<bool> masked = m_masker.Mask(frame, length, fromPc);
    if (!m_file) {
        return;
    }
    std::string line = TraceTimestamp();
    line += fromPc ? "  PC>radio  " : "  radio>PC  ";
    line += std::to_string(m_speed);
    line += "  ";
    if (length > 3) {
        line += kHex[frame[3] >> 4];
        line += kHex[frame[3] & 15];
    } else {
        line += "--";
    }
    line += "  ";
    line += std::to_string(length);
    line += "  ";
    line += TracePayload(frame, length, masked);
    WriteLine(line);
}

void CCloneTrace::SentBlockAnswered(bool accepted) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_masker.SentBlockAnswered(accepted);
}

void CCloneTrace::Note(const std::string& text) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_file) {
        WriteLine(TraceTimestamp() + "  # " + text);
    }
}

void CCloneTrace::WriteLine(const std::string& line) {
    if (std::fputs(line.c_str(), m_file) < 0 || std::fputc('\n', m_file) == EOF || std::fflush(m_file) != 0) {
        Failed(errno);
    }
}

void CCloneTrace::Failed(int err) {
    if (m_failure.ok()) {
        m_failure = ErrorInfo{ErrnoToCode(err), err, m_path + ": " + std::strerror(err)};
        if (m_failure.code == kErrSuccess) {
            m_failure.code = kErrAccessDenied;
        }
    }
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

ErrorInfo CCloneTrace::TakeFailure() {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_failureTaken || m_failure.ok()) {
        return {};
    }
    m_failureTaken = true;
    return m_failure;
}
