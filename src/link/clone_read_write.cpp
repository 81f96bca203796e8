// Reading and writing the radio's configuration as clone text.
#include <string>

#include "document/ini_data.h"
#include "link/clone_block_reader.h"
#include "link/clone_serial_port.h"

namespace {

std::string LengthAndCrc(const uint8_t* data, size_t padded) {
    return Hex8(static_cast<uint32_t>(padded)) + Hex8(CloneCrc(data, padded));
}

}  // namespace

uint32_t CCloneSoftSerialPort::ReadClone(const std::string& port, uint32_t baudRate,
                                         const std::u16string& password, CIniData& map) {
    uint32_t r = Connect(port, baudRate, password);
    if (r != kErrSuccess) {
        return r;
    }
    ReportProgress(1);
    r = Cancelled() ? kErrCancelled : SendRequest(kCmdReadRequest);
    if (r == kErrSuccess) {
        r = ReceiveBlocks(map);
    }
    Close();
    return r;
}

uint32_t CCloneSoftSerialPort::ReceiveBlocks(CIniData& map) {
    uint32_t base = 2, count = 0, refusedInRow = 0;
    std::string textRead, blockText, endText;
    // The same reader drives the trace's masker, so both see the same text in the same blocks.
    CCloneBlockReader reader;
    bool ended = false;
    while (!ended) {
        std::vector<Bytes> batch;
        uint32_t r = WaitReply(kCmdCloneEnd, kCmdCloneData, kCmdControl, &batch, nullptr);
        if (r != kErrSuccess) {
            return Cancelled() ? kErrCancelled : r;
        }
        for (const Bytes& frame : batch) {
            ReportProgress(base + count);
            ++count;
            const CCloneBlockReader::Step step = reader.Take(frame.data(), frame.size());
            if (step == CCloneBlockReader::Step::Data) {
                blockText += reader.Text();
            } else if (step == CCloneBlockReader::Step::End) {
                endText = reader.Text();
                ended = true;
            } else if (step == CCloneBlockReader::Step::Malformed) {
                return Fail(kErrInvalidData, 0, "malformed block check");
            } else if (step == CCloneBlockReader::Step::Accepted ||
                       step == CCloneBlockReader::Step::Refused) {
                // A stop takes effect between blocks: the radio, left without an answer to its
                // block check, sees the line close and gives the read up.
                if (Cancelled()) {
                    return kErrCancelled;
                }
                const bool accepted = step == CCloneBlockReader::Step::Accepted;
                if (accepted) {
                    base += count;
                    textRead += blockText;
                    refusedInRow = 0;
                } else {
                    ++refusedInRow;
                }
                blockText.clear();
                count = 0;
                r = SendFrame(MakeAckFrame(kAddrRadio, kAddrPc, accepted));
                if (r != kErrSuccess) {
                    return r;
                }
                // The radio repeats a refused block; one that never arrives intact must not keep
                // the read going for ever.
                if (refusedInRow > kMaxBlockRetries) {
                    return Fail(
                        kErrInvalidData, 0,
                        "a block arrived damaged " + std::to_string(refusedInRow) + " times in a row");
                }
            }
            if (textRead.size() + blockText.size() > kMaxCloneText) {
                return Fail(kErrInvalidData, 0, "the radio sends more than any configuration holds");
            }
        }
    }
    if (endText.size() < 16) {
        return Fail(kErrInvalidData, 0, "malformed end of data");
    }
    textRead += blockText;
    const uint32_t r = VerifyCloneText(textRead, static_cast<uint32_t>(ParseHex(endText.substr(0, 8))),
                                       static_cast<uint32_t>(ParseHex(endText.substr(8, 8))), &map);
    if (r == kErrSuccess) {
        m_receivedText = std::move(textRead);
        // The range closes on the frames taken: the read is complete.
        ReportProgress(kProgressRange | (base + count - 1));
        Clock().SleepMs(m_timings.doneMs);
        return r;
    }
    return Fail(r, 0,
                r == kErrCrc ? "checksum of the configuration does not match"
                             : "length of the configuration does not match");
}

uint32_t CCloneSoftSerialPort::WriteClone(const std::string& port, uint32_t baudRate,
                                          const std::u16string& password, const std::string& text) {
    const std::string_view body(text.data(), std::min(text.size(), text.find('\0')));
    const size_t padded = PaddedLength(body.size());
    const uint32_t total = static_cast<uint32_t>(padded / kCloneFrameData + 5);
    ReportProgress(total | kProgressRange);
    Clock().SleepMs(m_timings.writeStartMs);
    uint32_t r = Connect(port, baudRate, password);
    if (r != kErrSuccess) {
        return r;
    }
    ReportProgress(1);
    r = SendRequest(kCmdWriteRequest);
    Bytes reply;
    if (r == kErrSuccess) {
        ReportProgress(2);
        Clock().SleepMs(m_timings.requestGapMs);
        std::vector<uint8_t> buffer(padded, 0);
        std::copy(body.begin(), body.end(), buffer.begin());
        m_timeoutMs = m_timings.writeTimeoutMs;
        uint32_t progress = 3;
        r = SendDataBlocks(buffer.data(), padded, kCmdCloneData, 20, false, true, progress);
        if (r == kErrSuccess) {
            r = SendFrame(MakePcFrame(kCmdCloneEnd, LengthAndCrc(buffer.data(), padded)));
        }
        if (r == kErrSuccess) {
            ReportProgress(progress++);
            m_timeoutMs = m_timings.writeTimeoutMs;
            r = WaitReply(kCmdWriteResult, kNoCommand, kNoCommand, nullptr, &reply);
        }
        if (r == kErrSuccess) {
            ReportProgress(total);
            Clock().SleepMs(m_timings.doneMs);
            const uint64_t status = ParseHex(FrameText(reply).substr(0, 8));
            if (status != 0) {
                r = Fail(kErrInvalidData, 0, "the radio reports status " + std::to_string(status));
            }
        }
    }
    Close();
    return r;
}
