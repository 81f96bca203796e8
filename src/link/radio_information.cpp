// The information exchange and the port search built on it.
#include "document/ini_data.h"
#include "link/clone_serial_port.h"
#include "platform/code_page.h"
#include "platform/unicode.h"

uint32_t CCloneSoftSerialPort::ReadInformation(const std::string& port, uint32_t baudRate, CIniData& map,
                                               int32_t* counter) {
    int32_t step = counter ? *counter : 1;
    // No password is ever sent here: the reply is what tells whether the radio wants one.
    uint32_t r = Connect(port, baudRate, u"");
    if (r == kErrSuccess && Cancelled()) {
        r = kErrCancelled;
    }
    if (r == kErrSuccess) {
        ReportProgress(static_cast<uint32_t>(step++));
        r = SendRequest(kCmdInfoRequest);
    }
    Bytes reply;
    if (r == kErrSuccess) {
        ReportProgress(static_cast<uint32_t>(step++));
        r = WaitReply(kCmdInfoReply, kNoCommand, kNoCommand, nullptr, &reply);
        if (r != kErrSuccess && Cancelled()) {
            r = kErrCancelled;
        }
    }
    if (r == kErrSuccess) {
        ReportProgress(static_cast<uint32_t>(step++));
        Clock().SleepMs(m_timings.infoGapMs);
        map.LoadHexText(FromAnsi(FrameText(reply)));
        const std::u16string code = map.GetValue(u"code", u"");
        const uint64_t rental = LeadingDecimal(map.GetValue(u"rental", u""));
        if (m_acceptedCodes.count(code) == 0) {
            r = Fail(kErrBadUnit, 0, "radio with device code '" + Utf16ToUtf8(code) + "' is not supported");
        } else if (rental != 0) {
            r = Fail(kErrBadUnit, 0, "the radio is a rental unit (rental=" + std::to_string(rental) + ")");
        }
    }
    Close();
    if (counter) {
        *counter = step;
    }
    return r;
}

uint32_t CCloneSoftSerialPort::SearchPort(std::string& portField, uint32_t baudRate,
                                          const std::vector<std::string>& ports) {
    const uint32_t n = static_cast<uint32_t>(ports.size());
    ReportProgress((3 * n) | kProgressRange);
    m_timings.replyTimeoutMs = m_timings.searchTimeoutMs;
    bool found = false;
    for (uint32_t i = 0; i < n && !found; ++i) {
        if (Cancelled()) {
            return kErrCancelled;
        }
        CIniData map;
        int32_t counter = static_cast<int32_t>(1 + 3 * i);
        m_timeoutMs = m_timings.searchTimeoutMs;
        if (ReadInformation(ports[i], baudRate, map, &counter) == kErrSuccess &&
            m_acceptedCodes.count(map.GetValue(u"code", u"")) != 0) {
            portField = ports[i];
            found = true;
        }
    }
    ReportProgress(3 * n);
    if (!found) {
        return Fail(kErrNotFound, 0, "no radio answered on any port");
    }
    return kErrSuccess;
}
