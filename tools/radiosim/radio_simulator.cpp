#include "radio_simulator.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "document/config_file.h"
#include "document/ini_data.h"
#include "platform/code_page.h"
#include "platform/private_files.h"
#include "platform/unicode.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string PayloadString(const Bytes& frame) {
    return std::string(FramePayload(frame));
}

}  // namespace

std::string CloneTextOfLines(const std::vector<std::u16string>& lines) {
    return ToAnsi(RenderHexLines(lines));
}

std::string KeyValueLinesOfCloneText(const std::string& cloneText) {
    std::u16string wide = FromAnsi(cloneText.substr(0, cloneText.find('\0')));
    std::string out;
    size_t start = 0;
    while (start < wide.size()) {
        size_t end = wide.find(u"\r\n", start);
        if (end == std::u16string::npos) {
            end = wide.size();
        }
        out += Utf16ToUtf8(DecodeHexText(std::u16string_view(wide).substr(start, end - start)));
        out += '\n';
        start = end + 2;
    }
    return out;
}

RadioSimulator::RadioSimulator(RadioSimOptions options)
    : m_options(std::move(options)),
      m_corruptLeft(m_options.corruptTimes),
      m_storedText(m_options.configText) {}

RadioSimulator::~RadioSimulator() {
    Stop();
}

bool RadioSimulator::Start(std::string& error) {
    struct termios raw;
    ::cfmakeraw(&raw);
    int slave = -1;
    char name[256] = {};
    if (::openpty(&m_master, &slave, name, &raw, nullptr) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    struct termios tio;
    if (::tcgetattr(m_master, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(m_master, TCSANOW, &tio);
    }
    // The PC's end is opened by the program under test; holding it here would hide its hang-ups.
    ::close(slave);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    m_slavePath = name;
    m_stop = false;
    m_thread = std::thread(&RadioSimulator::Serve, this);
    return true;
}

void RadioSimulator::Stop() {
    m_stop = true;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

std::string RadioSimulator::StoredText() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_storedText;
}

std::string RadioSimulator::FirmwareImage() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_firmware;
}

std::vector<Bytes> RadioSimulator::ReceivedFrames() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_received;
}

RadioSimulator::LineState RadioSimulator::Line() const {
    if (m_stop) {
        return LineState{true, 0, 0};  // a stopped radio does nothing more, and its line is gone
    }
    std::lock_guard<std::mutex> lock(m_lineLock);
    return m_line;
}

void RadioSimulator::Serve() {
    while (!m_stop) {
        if (m_options.babble) {
            // Only to a PC that has spoken: what goes out before is flushed when its end opens.
            if (m_connected) {
                Bytes junk = Junk();
                SendRaw(junk.data(), junk.size());
            }
            Bytes ignored;
            NextFrame(ignored, 1);
            continue;
        }
        Bytes frame;
        if (NextFrame(frame, 20) == Next::Frame) {
            HandleFrame(frame);
        } else if (m_unplugged && m_droppedRequest &&
                   Clock::now() - m_lastDropped > std::chrono::milliseconds(100)) {
            // The PC gave up on the unanswered request: the swapped radio is in place.
            PlugInSwapped();
        }
    }
}

void RadioSimulator::PlugInSwapped() {
    if (m_unplugged) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_storedText = m_pendingSwap->configText;
        m_options.iccid = m_pendingSwap->iccid;
        m_options.auth = m_pendingSwap->auth;
        m_options.password = m_pendingSwap->password;
        m_pendingSwap.reset();
        m_unplugged = false;
        m_droppedRequest = false;
    }
}

void RadioSimulator::OnHangup() {
    // The PC closed its end. A radio goes back to 9600 bit/s after each session, except right
    // after the bit-rate change, across which the PC reopens the port at the new rate.
    if (!m_keepRateOnHangup) {
        m_rate = 9600;
    }
    m_keepRateOnHangup = false;
    m_authenticated = false;
    m_current.clear();
    m_frames.clear();
    // What was on its way to the PC went with the PC's end of the line.
    std::lock_guard<std::mutex> lock(m_lineLock);
    m_line.given = 0;
}

RadioSimulator::Next RadioSimulator::NextFrame(Bytes& frame, uint32_t timeoutMs, bool endOnHangup) {
    IClock& clock = m_options.clock ? *m_options.clock : SystemClock();
    const uint64_t deadline = clock.NowMs() + timeoutMs;
    // Waiting: set only while nothing taken from the line is left to handle, cleared before
    // anything read is handled, so that "waiting, and every byte taken" means nothing is coming.
    auto setWaiting = [this](bool waiting) {
        std::lock_guard<std::mutex> lock(m_lineLock);
        m_line.waiting = waiting;
    };
    for (;;) {
        if (!m_frames.empty()) {
            setWaiting(false);
            m_heardPc = true;
            frame = std::move(m_frames.front());
            m_frames.pop_front();
            return Next::Frame;
        }
        if (m_stop) {
            setWaiting(false);
            return Next::Stopped;
        }
        const uint64_t now = clock.NowMs();
        if (now >= deadline) {
            setWaiting(false);
            return Next::Timeout;
        }
        setWaiting(true);
        const int waitMs = static_cast<int>(std::min<uint64_t>(20, deadline - now + 1));
        struct pollfd pfd = {m_master, POLLIN, 0};
        const int n = ::poll(&pfd, 1, waitMs);
        if (n <= 0) {
            continue;
        }
        if (pfd.revents & POLLIN) {
            uint8_t buffer[4096];
            const ssize_t got = ::read(m_master, buffer, sizeof buffer);
            if (got > 0) {
                setWaiting(false);
                m_connected = true;
                for (ssize_t i = 0; i < got; ++i) {
                    Feed(buffer[i]);
                }
                std::lock_guard<std::mutex> lock(m_lineLock);
                m_line.taken += static_cast<uint64_t>(got);
                continue;
            }
        }
        if (pfd.revents & (POLLHUP | POLLERR)) {
            if (m_connected) {
                setWaiting(false);
                m_connected = false;
                OnHangup();
                if (endOnHangup) {
                    return Next::HungUp;
                }
            }
            // Nobody has the PC's end open: nothing to read until someone does.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
}

void RadioSimulator::Feed(uint8_t byte) {
    if (m_current.empty()) {
        if (byte == kFrameStart) {
            m_current.push_back(byte);
        }
        return;
    }
    m_current.push_back(byte);
    // The PC's data frames are 165 bytes whatever they hold (a firmware image holds FD and FE).
    const bool dataFrame = m_current.size() >= 4 && m_current[1] == kAddrRadio && m_current[2] == kAddrPc &&
                           (m_current[3] == kCmdCloneData || m_current[3] == kCmdFirmwareData);
    if (dataFrame) {
        if (m_current.size() == kCloneFrameData + 5) {
            if (byte == kFrameEnd) {
                m_frames.push_back(std::move(m_current));
            }
            m_current.clear();
        }
        return;
    }
    if (byte == kFrameStart) {
        m_current.assign(1, kFrameStart);
    } else if (byte == kFrameEnd) {
        if (m_current.size() > 4 && m_current[1] == kAddrRadio && m_current[2] == kAddrPc) {
            m_frames.push_back(std::move(m_current));
        }
        m_current.clear();
    }
}

bool RadioSimulator::Vanished() {
    if (m_options.vanishAfterData < 0 || ++m_dataFrames < m_options.vanishAfterData) {
        return false;
    }
    // The PC sees the line hang up, as when the cable is pulled mid-transfer.
    m_stop = true;
    ::close(m_master);
    m_master = -1;
    return true;
}

bool RadioSimulator::Count(const Bytes& frame) {
    ++m_framesSeen;
    if (m_options.silentAfter >= 0 && m_framesSeen > m_options.silentAfter) {
        m_mute = true;
    }
    if (frame[3] != kCmdCloneData && frame[3] != kCmdFirmwareData) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_received.push_back(frame);
    }
    return !m_mute;
}

void RadioSimulator::SwapRadio(RadioIdentity next) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_pendingSwap = std::move(next);
}

void RadioSimulator::HandleFrame(const Bytes& frame) {
    if (!Count(frame)) {
        return;
    }
    // A swap takes the radio off the cable: what the PC sends goes unanswered until a request of
    // it went unanswered and the line stayed quiet after it. A hang-up alone does not end it: the
    // PC reopens the port within one exchange when it changes the bit rate.
    if (!m_unplugged) {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_pendingSwap) {
            m_unplugged = true;
        }
    }
    if (m_unplugged) {
        // Only a request left unanswered fails the PC's exchange; a bit-rate change is answered by
        // nobody even when a radio is there.
        m_lastDropped = Clock::now();
        m_droppedRequest = m_droppedRequest || frame[3] != kCmdControl;
        return;
    }
    const uint8_t command = frame[3];
    const bool rateChange = command == kCmdControl && frame.size() > 5 && frame[4] == kSubBitRate;
    if (!rateChange) {
        m_keepRateOnHangup = false;
    }
    const bool locked = m_options.auth && m_options.auth != "0" && !m_options.auth->empty();
    switch (command) {
        case kCmdControl: {
            const std::string payload = PayloadString(frame);
            if (rateChange) {
                const uint64_t rate = ParseHex(std::string_view(payload).substr(1, 8));
                if (rate >= 300) {
                    m_rate = static_cast<uint32_t>(rate);
                    m_keepRateOnHangup = true;
                }
            } else if (payload.size() >= 1 && frame[4] == kSubPassword) {
                m_authenticated = !locked || payload.substr(1) == m_options.password;
                Send(MakeAckFrame(kAddrPc, kAddrRadio, m_authenticated));
            }
            break;
        }
        case kCmdInfoRequest: {
            std::vector<std::u16string> lines;
            auto add = [&lines](const char* key, const std::optional<std::string>& value) {
                if (value) {
                    lines.push_back(Utf8ToUtf16(std::string(key) + "=" + *value));
                }
            };
            add("code", m_options.code);
            add("rental", m_options.rental);
            add("auth", m_options.auth);
            add("model", m_options.model);
            add("ver", m_options.ver);
            add("bt_ver", m_options.btVer);
            Send(MakeRadioFrame(kCmdInfoReply, CloneTextOfLines(lines)));
            break;
        }
        case kCmdReadRequest:
            // A radio with a password says nothing to a PC that has not given it.
            if (!locked || m_authenticated) {
                SendClone();
            }
            break;
        case kCmdWriteRequest:
            if (!locked || m_authenticated) {
                ReceiveTransfer(kCmdCloneData, kCmdCloneEnd, kCmdWriteResult, false);
            }
            break;
        case kCmdFirmwareRequest:
            if (!locked || m_authenticated) {
                ReceiveTransfer(kCmdFirmwareData, kCmdFirmwareEnd, kCmdFirmwareResult, true);
            }
            break;
        default:
            break;
    }
}

bool RadioSimulator::WaitAck(bool& positive) {
    for (;;) {
        Bytes frame;
        if (NextFrame(frame, m_options.ackTimeoutMs, true) != Next::Frame || !Count(frame)) {
            return false;
        }
        if (IsPositiveAck(frame) || IsNegativeAck(frame)) {
            positive = IsPositiveAck(frame);
            return true;
        }
    }
}

void RadioSimulator::SendClone() {
    // The radio information group leads the configuration, as the radio sends it.
    const std::string text =
        (m_options.iccid.empty() ? std::string()
                                 : CloneTextOfLines({Utf8ToUtf16("iccid=" + m_options.iccid)})) +
        StoredText();
    const std::string_view body(text.data(), std::min(text.size(), text.find('\0')));
    const size_t blockBytes = m_options.frameText * m_options.framesPerBlock;
    uint32_t block = 1;
    for (size_t start = 0; start < body.size(); start += blockBytes, ++block) {
        const size_t end = std::min(body.size(), start + blockBytes);
        for (;;) {
            for (size_t f = start; f < end; f += m_options.frameText) {
                Send(MakeRadioFrame(kCmdCloneData, body.substr(f, std::min(m_options.frameText, end - f))));
                if (Vanished()) {
                    return;
                }
            }
            std::string padded(body.substr(start, end - start));
            padded.resize(PaddedLength(padded.size()), '\0');
            uint32_t crc = CloneCrc(reinterpret_cast<const uint8_t*>(padded.data()), padded.size());
            if (block == m_options.corruptBlock && m_corruptLeft > 0) {
                --m_corruptLeft;
                crc ^= 0x5A5A5A5Au;
            }
            Send(MakeRadioFrame(kCmdControl, std::string(1, static_cast<char>(kSubBlockCheck)) +
                                                 Hex8(static_cast<uint32_t>(padded.size())) + Hex8(crc)));
            bool positive = false;
            if (!WaitAck(positive)) {
                return;
            }
            if (positive) {
                break;
            }
        }
    }
    std::string whole(body);
    whole.resize(PaddedLength(whole.size()), '\0');
    uint32_t crc = CloneCrc(reinterpret_cast<const uint8_t*>(whole.data()), whole.size());
    if (m_options.badTotalCrc) {
        crc ^= 1;
    }
    Send(MakeRadioFrame(kCmdCloneEnd, Hex8(static_cast<uint32_t>(whole.size())) + Hex8(crc)));
}

void RadioSimulator::ReceiveTransfer(uint8_t dataCommand, uint8_t endCommand, uint8_t resultCommand,
                                     bool firmware) {
    std::string received, block;
    uint32_t nakLeft = m_options.nakBlocks;
    uint32_t oddLeft = m_options.oddBlocks;
    for (;;) {
        Bytes frame;
        if (NextFrame(frame, m_options.ackTimeoutMs, true) != Next::Frame || !Count(frame)) {
            return;
        }
        const uint8_t command = frame[3];
        const std::string payload = PayloadString(frame);
        if (command == dataCommand) {
            if (Vanished()) {
                return;
            }
            block += payload;
        } else if (command == kCmdControl && frame[4] == kSubBlockCheck && payload.size() >= 17) {
            const uint64_t length = ParseHex(std::string_view(payload).substr(1, 8));
            const uint64_t crc = ParseHex(std::string_view(payload).substr(9, 8));
            bool ok = length == block.size() &&
                      crc == CloneCrc(reinterpret_cast<const uint8_t*>(block.data()), block.size());
            bool odd = false;
            if (ok && nakLeft > 0) {
                --nakLeft;
                ok = false;
            } else if (ok && oddLeft > 0) {
                --oddLeft;
                ok = false;
                odd = true;
            }
            if (ok) {
                received += block;
            }
            block.clear();
            Send(odd ? MakeRadioFrame(kCmdControl, std::string(1, static_cast<char>(kSubBitRate)))
                     : MakeAckFrame(kAddrPc, kAddrRadio, ok));
        } else if (command == endCommand && payload.size() >= 16) {
            const uint64_t length = ParseHex(std::string_view(payload).substr(0, 8));
            const uint64_t crc = ParseHex(std::string_view(payload).substr(8, 8));
            const bool ok =
                length == received.size() &&
                crc == CloneCrc(reinterpret_cast<const uint8_t*>(received.data()), received.size());
            if (ok) {
                Store(received, firmware);
            }
            Send(MakeRadioFrame(resultCommand, Hex8(ok ? m_options.status : 0xFFFFFFFFu)));
            return;
        }
    }
}

void RadioSimulator::Store(const std::string& received, bool firmware) {
    if (firmware) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_firmware = received;
        }
        if (!m_options.firmwareDumpPath.empty()) {
            ReplacePrivateFile(m_options.firmwareDumpPath, received);
        }
        return;
    }
    std::string text = received.substr(0, received.find('\0'));
    if (m_options.alterStoredBlock > 0) {
        text = AlterFirstValueFrom(text, static_cast<size_t>(m_options.alterStoredBlock - 1) * 3200);
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_storedText = text;
    }
    if (!m_options.dumpPath.empty()) {
        // The dump holds every secret of the configuration in clear: its owner's eyes only.
        ReplacePrivateFile(m_options.dumpPath, KeyValueLinesOfCloneText(text));
    }
}

Bytes RadioSimulator::Junk() {
    Bytes junk;
    const size_t n = 4 + (m_random % 12);
    for (size_t i = 0; i < n; ++i) {
        m_random = m_random * 1103515245u + 12345u;
        // Never a frame marker: noise must not be mistaken for the start or end of a frame.
        junk.push_back(static_cast<uint8_t>((m_random >> 16) % 0xFD));
    }
    return junk;
}

void RadioSimulator::Send(const Bytes& frame) {
    if (m_options.noise) {
        Bytes junk = Junk();
        // A frame cut short, a frame too short to count and the PC's own frame echoed back: the
        // PC must drop all three.
        const Bytes stray = {kFrameStart, 0x12,          kFrameEnd,     kFrameStart, kAddrRadio,
                             kAddrPc,     kCmdInfoReply, 0x30,          kFrameEnd,   kFrameStart,
                             kAddrPc,     kAddrRadio,    kCmdCloneData, 0x30,        0x30};
        junk.insert(junk.end(), stray.begin(), stray.end());
        SendRaw(junk.data(), junk.size());
    }
    SendRaw(frame.data(), frame.size());
}

void RadioSimulator::SendRaw(const uint8_t* data, size_t length) {
    if (!m_options.pace) {
        WriteAll(data, length);
        return;
    }
    // Each piece goes out once the line would have finished sending it: 10 bits a byte. Frames
    // sent back to back keep the schedule running from the previous piece (restarting it at
    // every wake-up would add the sleep's overshoot to each piece; a radio's transmitter, fed
    // from its buffer, does not pause between bytes). After waiting for the PC it starts afresh.
    const double nsPerByte = 1e10 / m_rate;
    const size_t piece = std::max<size_t>(1, m_rate / 10 / 500);
    const auto now = Clock::now();
    if (m_lineFree < now && (m_heardPc || m_lineFree + std::chrono::milliseconds(1) < now)) {
        m_lineFree = now;
    }
    m_heardPc = false;
    for (size_t off = 0; off < length && !m_stop; off += piece) {
        const size_t n = std::min(piece, length - off);
        m_lineFree += std::chrono::nanoseconds(static_cast<int64_t>(nsPerByte * n));
        std::this_thread::sleep_until(m_lineFree);
        WriteAll(data + off, n);
    }
}

void RadioSimulator::WriteAll(const uint8_t* data, size_t length) {
    size_t done = 0;
    const auto giveUp = Clock::now() + std::chrono::seconds(2);
    while (done < length && !m_stop) {
        const ssize_t n = ::write(m_master, data + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            if (m_connected) {  // what goes out while the PC's end is closed is flushed when it opens
                std::lock_guard<std::mutex> lock(m_lineLock);
                m_line.given += static_cast<uint64_t>(n);
            }
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if ((n < 0 && errno != EAGAIN) || Clock::now() > giveUp) {
            return;  // nobody is listening
        }
        struct pollfd pfd = {m_master, POLLOUT, 0};
        ::poll(&pfd, 1, 10);
    }
}

std::string AlterFirstValueFrom(const std::string& cloneText, size_t offset, std::u16string* key) {
    std::string text = cloneText;
    // Lines are 4 hexadecimal digits per code unit, each line ended by CR LF.
    size_t start = offset == 0 ? 0 : text.find("\r\n", offset - 1);
    if (start == std::string::npos) {
        return text;
    }
    if (offset != 0) {
        start += 2;
    }
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::u16string lineKey;
        size_t valueStart = std::string::npos;
        for (size_t i = start; i + 4 <= end; i += 4) {
            const auto unit = static_cast<char16_t>(ParseHex(std::string_view(text).substr(i, 4)));
            if (unit == u'=') {
                valueStart = i + 4;
                break;
            }
            lineKey.push_back(unit);
        }
        if (valueStart != std::string::npos && end >= valueStart + 4) {
            // The last code unit of the value becomes another printable ASCII character.
            const size_t last = end - 4;
            const auto unit = static_cast<uint32_t>(ParseHex(std::string_view(text).substr(last, 4)));
            const uint32_t changed = unit == u'0' ? u'1' : u'0';
            char digits[5];
            std::snprintf(digits, sizeof digits, "%04X", changed);
            text.replace(last, 4, digits);
            if (key) {
                *key = lineKey;
            }
            return text;
        }
        start = end + 2;
    }
    return text;
}
