#include "link/clone_serial_port.h"

#include <algorithm>
#include <limits>

#include "platform/code_page.h"
#include "platform/secret_wipe.h"

#include <openssl/crypto.h>

uint64_t LeadingDecimal(std::u16string_view text) {
    uint64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        const uint64_t digit = static_cast<uint64_t>(c - u'0');
        if (value > (std::numeric_limits<uint64_t>::max() - digit) / 10) {
            return std::numeric_limits<uint64_t>::max();
        }
        value = value * 10 + digit;
    }
    return value;
}

CCloneSoftSerialPort::CCloneSoftSerialPort() {
    m_pendingFrame.reserve(1024);
    ApplyTimings(m_timings);
}

CCloneSoftSerialPort::~CCloneSoftSerialPort() {
    // The reader calls into this object: it must stop before the object is taken apart.
    Close();
}

void CCloneSoftSerialPort::ApplyTimings(const CloneTimings& timings) {
    m_timings = timings;
    m_timeoutMs = timings.replyTimeoutMs;
    m_settleMs = timings.settleMs;
    m_closeMs = timings.closeMs;
    m_busyRetries = timings.busyRetries;
    m_busyRetryMs = timings.busyRetryMs;
    m_clock = timings.clock ? timings.clock : &SystemClock();
}

void CCloneSoftSerialPort::ReportProgress(uint32_t value) const {
    if (m_progressCallback) {
        m_progressCallback(value);
    }
}

bool CCloneSoftSerialPort::Cancelled() {
    if (m_cancel == nullptr || !m_cancel->load()) {
        return false;
    }
    Fail(kErrCancelled, 0, "stopped by the user");
    return true;
}

uint64_t CCloneSoftSerialPort::ByteTimeUs(uint32_t baudRate) {
    // A rate below one byte a second cannot be paced (and would divide by zero).
    if (baudRate / 8 == 0) {
        return 0;
    }
    return static_cast<uint64_t>(1000000.0f / (static_cast<float>(baudRate / 8) * 0.7f));
}

uint32_t CCloneSoftSerialPort::Close() {
    m_baudRate = 9600;
    m_lastRxMs = 0;
    m_byteTimeUs = 0;
    return ESerialPort::Close();
}

void CCloneSoftSerialPort::OnReceiveByte(uint8_t byte) {
    m_lastRxMs = Clock().NowMs();
    if (m_receiveEnabled.load() == 0) {
        return;
    }
    if (byte == kFrameEnd) {
        if (m_pendingFrame.empty()) {
            return;
        }
        m_pendingFrame.push_back(byte);
        Bytes frame;
        frame.swap(m_pendingFrame);
        m_pendingFrame.reserve(1024);
        if (frame.size() > 3 && frame[1] == kAddrPc && frame[2] == kAddrRadio) {
            if (m_trace) {
                m_trace->Record(frame.data(), frame.size(), false);
            }
            std::lock_guard<std::mutex> lock(m_lock);
            m_replies.push_back(std::move(frame));
            m_arrived.notify_all();
        }
        return;
    }
    if (byte == kFrameStart) {
        m_pendingFrame.clear();
        m_pendingFrame.push_back(byte);
        return;
    }
    if (!m_pendingFrame.empty()) {
        m_pendingFrame.push_back(byte);
    }
}

void CCloneSoftSerialPort::OnLineLost() {
    std::lock_guard<std::mutex> lock(m_lock);
    m_arrived.notify_all();
}

size_t CCloneSoftSerialPort::QueuedReplies() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_replies.size();
}

uint32_t CCloneSoftSerialPort::WaitReply(int commandA, int commandB, int commandC,
                                         std::vector<Bytes>* collected, Bytes* reply) {
    IClock& clock = Clock();
    uint32_t result = kErrTimeout;
    if (reply) {
        reply->clear();
    }
    // The time-out counts in steps of 10 ms, so one shorter than a step is over at once.
    if (m_timeoutMs / 10 == 0) {
        return kErrTimeout;
    }
    const uint64_t timeout = m_timeoutMs;
    // Unwanted frames restart the time-out; this bounds a radio that chatters without ever
    // answering.
    const uint64_t hardLimit = clock.NowMs() + timeout * 10;
    uint64_t deadline = clock.NowMs() + timeout;
    std::unique_lock<std::mutex> lock(m_lock);
    for (;;) {
        clock.WaitUntil(m_arrived, lock, std::min(deadline, hardLimit),
                        [this] { return !m_replies.empty() || LineLost(); });
        std::vector<Bytes> batch;
        batch.swap(m_replies);
        if (!batch.empty()) {
            deadline = clock.NowMs() + timeout;
        }
        for (auto& frame : batch) {
            const int command = frame[3];
            const bool wanted = command == commandA || command == commandB || command == commandC;
            if (wanted) {
                result = kErrSuccess;
                if (reply) {
                    *reply = frame;
                }
            }
            if (collected) {
                collected->push_back(std::move(frame));
            }
        }
        if (result == kErrSuccess) {
            return result;
        }
        if (batch.empty() && LineLost()) {
            lock.unlock();
            return Fail(kErrBadUnit, EIO, "the radio went away");
        }
        const uint64_t now = clock.NowMs();
        if (now >= deadline || now >= hardLimit) {
            lock.unlock();
            return Fail(kErrTimeout, 0, "no reply from the radio");
        }
    }
}

uint32_t CCloneSoftSerialPort::WaitLineIdle(uint32_t ms) {
    IClock& clock = Clock();
    const uint64_t start = clock.NowMs();
    for (;;) {
        const uint64_t now = clock.NowMs();
        if (InputQueued() == 0 && now - m_lastRxMs.load() > ms) {
            return kErrSuccess;
        }
        // A line that never falls silent is not a radio we can talk to.
        if (now - start > m_timeoutMs) {
            return Fail(kErrTimeout, 0, "the line does not fall silent");
        }
        // Sleep to the moment the line will have been silent long enough, or one polling step when
        // that is further off: at high bit rates a block is sent in less than the wait, and a
        // whole step slept past the moment on every block would add a tenth to the transfer.
        const uint64_t silentFor = now - std::min(now, m_lastRxMs.load());
        const uint64_t left = silentFor > ms ? 1 : ms - silentFor + 1;
        const uint32_t step = m_timings.pollMs ? m_timings.pollMs : 1;
        clock.SleepMs(static_cast<uint32_t>(std::min<uint64_t>(left, step)));
    }
}

void CCloneSoftSerialPort::PaceSend(uint64_t bytesSinceMark, uint64_t markMs) {
    if (m_byteTimeUs == 0 || !m_timings.pace) {
        return;
    }
    IClock& clock = Clock();
    const uint64_t elapsedUs = (clock.NowMs() - markMs) * 1000;
    const uint64_t dueUs = bytesSinceMark * m_byteTimeUs;
    if (elapsedUs < dueUs) {
        clock.SleepMs(static_cast<uint32_t>((dueUs - elapsedUs) / 1000));
    }
}

uint32_t CCloneSoftSerialPort::SendFrame(const Bytes& frame) {
    if (m_trace) {
        m_trace->Record(frame.data(), frame.size(), true);
    }
    return Write(frame.data(), frame.size());
}

uint32_t CCloneSoftSerialPort::SendRequest(uint8_t command) {
    return SendFrame(MakePcFrame(command, kDeviceTypeId));
}

uint32_t CCloneSoftSerialPort::SendPassword(const std::u16string& password) {
    if (password.empty()) {
        return kErrSuccess;
    }
    std::string payload(1, static_cast<char>(kSubPassword));
    std::string text = ToAnsi(password);
    payload += text;
    Bytes frame = MakePcFrame(kCmdControl, payload);
    uint32_t r = SendFrame(frame);
    WipeSecret(text);
    WipeSecret(payload);
    OPENSSL_cleanse(frame.data(), frame.size());
    if (r != kErrSuccess) {
        return r;
    }
    Bytes reply;
    r = WaitReply(kCmdControl, kNoCommand, kNoCommand, nullptr, &reply);
    if (r != kErrSuccess) {
        return r;
    }
    if (IsPositiveAck(reply)) {
        return kErrSuccess;
    }
    if (IsNegativeAck(reply)) {
        return Fail(kErrInvalidPassword, 0, "the radio refused the password");
    }
    return Fail(kErrInvalidData, 0, "unexpected answer to the password");
}

uint32_t CCloneSoftSerialPort::Connect(const std::string& port, uint32_t baudRate,
                                       const std::u16string& password) {
    Close();
    m_receiveEnabled = 1;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_replies.clear();
    }
    if (baudRate != 9600 || !password.empty()) {
        uint32_t r = Configure(port, 9600);
        if (r != kErrSuccess) {
            return r;
        }
        if (m_trace) {
            m_trace->SetSpeed(9600);
        }
        r = SendFrame(
            MakePcFrame(kCmdControl, std::string(1, static_cast<char>(kSubBitRate)) + Hex8(baudRate)));
        if (r == kErrSuccess) {
            r = WaitLineIdle(m_timings.rateChangeIdleMs);
        }
        Close();
        if (r != kErrSuccess) {
            return r;
        }
        Clock().SleepMs(m_timings.reopenMs);
    }
    uint32_t r = Configure(port, baudRate);
    if (r != kErrSuccess) {
        return r;
    }
    m_baudRate = baudRate;
    m_byteTimeUs = ByteTimeUs(baudRate);
    if (m_trace) {
        m_trace->SetSpeed(baudRate);
    }
    SetModemLines();
    r = SendPassword(password);
    if (r != kErrSuccess) {
        Close();
    }
    return r;
}

uint32_t CCloneSoftSerialPort::SendDataBlocks(const uint8_t* data, size_t padded, uint8_t command,
                                              uint32_t framesPerBlock, bool muteWhileSending,
                                              bool progressPerFrame, uint32_t& progress) {
    size_t pos = 0, blockStart = 0;
    uint32_t k = 0, retries = 0;
    uint64_t mark = Clock().NowMs(), sent = 0;
    Bytes frame(kCloneFrameData + 5);
    frame[0] = kFrameStart;
    frame[1] = kAddrRadio;
    frame[2] = kAddrPc;
    frame[3] = command;
    frame[kCloneFrameData + 4] = kFrameEnd;
    while (pos < padded) {
        if (progressPerFrame) {
            ReportProgress(progress++);
        }
        if (muteWhileSending) {
            m_receiveEnabled = 0;
        }
        std::copy(data + pos, data + pos + kCloneFrameData, frame.begin() + 4);
        uint32_t r = SendFrame(frame);
        if (r != kErrSuccess) {
            m_receiveEnabled = 1;
            return r;
        }
        sent += frame.size();
        PaceSend(sent, mark);
        ++k;
        if (k < framesPerBlock && pos + kCloneFrameData != padded) {
            pos += kCloneFrameData;
            continue;
        }
        if (!progressPerFrame) {
            ReportProgress(progress++);
        }
        r = WaitLineIdle(m_timings.blockIdleMs);
        m_receiveEnabled = 1;
        if (r != kErrSuccess) {
            return r;
        }
        const size_t blockBytes = static_cast<size_t>(k) * kCloneFrameData;
        std::string check(1, static_cast<char>(kSubBlockCheck));
        check += Hex8(static_cast<uint32_t>(blockBytes)) + Hex8(CloneCrc(data + blockStart, blockBytes));
        r = SendFrame(MakePcFrame(kCmdControl, check));
        if (r != kErrSuccess) {
            return r;
        }
        Bytes reply;
        r = WaitReply(kCmdControl, kNoCommand, kNoCommand, nullptr, &reply);
        if (r != kErrSuccess) {
            return r;
        }
        const bool accepted = IsPositiveAck(reply);
        if (m_trace) {
            m_trace->SentBlockAnswered(accepted);
        }
        if (accepted) {
            retries = 0;
            blockStart = pos + kCloneFrameData;
            pos += kCloneFrameData;
        } else {
            // Refused, or an answer that is neither: the radio has not taken the block, so it
            // goes again from its first frame.
            pos = blockStart;
            progress -= progressPerFrame ? k : 1;
            ReportProgress(0);
            ++retries;
        }
        k = 0;
        mark = Clock().NowMs();
        sent = 0;
        if (retries > kMaxBlockRetries) {
            return Fail(kErrInvalidData, 0,
                        "the radio refused a block " + std::to_string(retries) + " times");
        }
    }
    return kErrSuccess;
}
