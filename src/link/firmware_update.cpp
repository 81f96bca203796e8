// Sending a firmware image: the file's bytes as they are, in 100-frame blocks.
#include <errno.h>
#include <sys/stat.h>

#include <new>
#include <vector>

#include "link/clone_serial_port.h"
#include "platform/read_whole_file.h"

namespace {

constexpr size_t kFirmwareBlockBytes = 16000;

}  // namespace

uint32_t CCloneSoftSerialPort::UpdateFirmware(const std::string& port, uint32_t baudRate,
                                              const std::u16string& password, const std::string& path) {
    const std::string what = "firmware image " + path;
    // A file whose attributes cannot be read does not exist, whatever the reason.
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        return Fail(kErrFileNotFound, errno, what);
    }
    const WholeFile file = ReadWholeFile(path, kMaxFirmwareSize);
    switch (file.fault) {
        case WholeFileFault::kNone:
            break;
        case WholeFileFault::kOpen:
            return Fail(file.error.code, file.error.sysErrno, what);
        case WholeFileFault::kDirectory:
            return Fail(kErrFileNotFound, EISDIR, what);
        case WholeFileFault::kNotRegular:  // a pipe or device has no length: as an empty file
        case WholeFileFault::kTooLarge:
        case WholeFileFault::kGrew:
            return Fail(kErrIncorrectSize, 0, file.error.detail + " (1 to 16777216 bytes allowed)");
        case WholeFileFault::kNoMemory:
            return Fail(kErrInsufficientBuffer, ENOMEM, what);
        case WholeFileFault::kRead:
        case WholeFileFault::kShrank:
            return Fail(kErrHandleEof, file.error.sysErrno, what + " is shorter than its size");
    }
    if (file.bytes.empty()) {
        return Fail(kErrIncorrectSize, 0, what + " is empty (1 to 16777216 bytes allowed)");
    }
    const size_t padded = PaddedLength(file.bytes.size());
    std::vector<uint8_t> image;
    try {
        image.reserve(padded);
        image.assign(file.bytes.begin(), file.bytes.end());
        image.resize(padded, 0);
    } catch (const std::bad_alloc&) {
        return Fail(kErrInsufficientBuffer, ENOMEM, what);
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
            Clock().SleepMs(m_timings.firmwareEndGapMs);
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
            Clock().SleepMs(m_timings.doneMs);
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
