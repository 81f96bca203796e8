// Sending a firmware image: the file's bytes as they are, in 100-frame blocks.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <vector>

#include "link/clone_serial_port.h"

namespace {

constexpr size_t kFirmwareBlockBytes = 16000;

}  // namespace

uint32_t CCloneSoftSerialPort::UpdateFirmware(const std::string& port, uint32_t baudRate,
                                              const std::u16string& password, const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        const int err = errno;
        return Fail(kErrFileNotFound, err, "firmware image " + path);
    }
    if (S_ISDIR(st.st_mode)) {
        return Fail(kErrFileNotFound, EISDIR, "firmware image " + path);
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return Fail(ErrnoToCode(err), err, "firmware image " + path);
    }
    const off_t length = st.st_size;
    if (length <= 0 || static_cast<uint64_t>(length) > kMaxFirmwareSize) {
        ::close(fd);
        return Fail(
            kErrIncorrectSize, 0,
            "firmware image " + path + " has " + std::to_string(length) + " bytes (1 to 16777216 allowed)");
    }
    const size_t padded = PaddedLength(static_cast<uint64_t>(length));
    std::vector<uint8_t> image;
    try {
        image.assign(padded, 0);
    } catch (const std::bad_alloc&) {
        ::close(fd);
        return Fail(kErrInsufficientBuffer, ENOMEM, "firmware image " + path);
    }
    size_t got = 0;
    while (got < static_cast<size_t>(length)) {
        const ssize_t n = ::read(fd, image.data() + got, static_cast<size_t>(length) - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (got < static_cast<size_t>(length)) {
        return Fail(kErrHandleEof, 0, "firmware image " + path + " is shorter than its size");
    }

    const uint32_t total = static_cast<uint32_t>(padded / kFirmwareBlockBytes + 5);
    ReportProgress(total | kProgressRange);
    uint32_t r = Connect(port, baudRate, password);
    if (r != kErrSuccess) {
        return r;
    }
    ReportProgress(1);
    r = SendRequest(kCmdFirmwareRequest);
    Bytes reply;
    if (r == kErrSuccess) {
        ReportProgress(2);
        m_timeoutMs = m_timings.writeTimeoutMs;
        uint32_t progress = 3;
        // The radio's chatter while it stores the image means nothing to us; its answer to a
        // block check does, so reception is back on before each check.
        r = SendDataBlocks(image.data(), padded, kCmdFirmwareData, kFirmwareBlockBytes / kCloneFrameData,
                           true, false, progress);
        if (r == kErrSuccess) {
            SleepMs(m_timings.firmwareEndGapMs);
            m_receiveEnabled = 1;
            r = SendFrame(MakePcFrame(
                kCmdFirmwareEnd, Hex8(static_cast<uint32_t>(padded)) + Hex8(CloneCrc(image.data(), padded))));
        }
        if (r == kErrSuccess) {
            ReportProgress(progress++);
            r = WaitReply(kCmdFirmwareResult, kNoCommand, kNoCommand, nullptr, &reply);
        }
        if (r == kErrSuccess) {
            ReportProgress(progress++);
            SleepMs(m_timings.doneMs);
            const uint64_t status = ParseHex(FrameText(reply).substr(0, 8));
            if (status != 0) {
                r = Fail(kErrInvalidData, 0, "the radio reports status " + std::to_string(status));
            }
        }
    }
    m_receiveEnabled = 1;
    Close();
    return r;
}
