#include "link/clone_job.h"

#include "platform/code_page.h"
#include "platform/posix/port_enum.h"

namespace {

const char* OperationName(int type) {
    switch (type) {
        case kJobInformation:
            return "information";
        case kJobRead:
            return "read";
        case kJobWrite:
            return "write";
        case kJobFirmware:
            return "firmware update";
        case kJobSearch:
            return "port search";
        default:
            return "unknown operation";
    }
}

}  // namespace

uint32_t CloneThreadProc(CloneJob& job, const CloneProgressCallback& progress) {
    CCloneSoftSerialPort port;
    port.ApplyTimings(job.timings);
    port.m_acceptedCodes.insert(kAcceptedDeviceCode);
    port.m_progressCallback = progress;
    // Only the commands that leave the radio as it was may be stopped.
    if (job.type == kJobInformation || job.type == kJobRead || job.type == kJobSearch) {
        port.m_cancel = job.cancel;
    }
    CloneLinkSettings none;
    CloneLinkSettings& settings = job.link ? *job.link : none;
    port.m_trace = settings.m_trace;
    const std::string& portName = settings.m_comPort;
    const uint32_t speed = settings.m_comSpeed;
    const std::u16string& password = settings.m_clonePassword;
    if (port.m_trace) {
        port.m_trace->Note(std::string(OperationName(job.type)) + " on " +
                           (portName.empty() ? std::string("every port") : portName) + " at " +
                           std::to_string(speed) + " bit/s");
    }
    uint32_t r = kErrInvalidData;
    switch (job.type) {
        case kJobInformation:
            r = port.ReadInformation(portName, speed, job.data);
            break;
        case kJobRead:
            r = port.ReadClone(portName, speed, password, job.data);
            job.receivedText = std::move(port.m_receivedText);
            break;
        case kJobWrite:
            r = port.WriteClone(portName, speed, password, ToAnsi(RenderHexLines(job.lines)));
            break;
        case kJobFirmware:
            r = port.UpdateFirmware(portName, speed, password, job.firmwarePath);
            break;
        case kJobSearch:
            r = port.SearchPort(settings.m_comPort, speed,
                                job.searchPorts.empty() ? EnumComPortPaths() : job.searchPorts);
            break;
        default:
            break;
    }
    port.Close();
    if (port.m_trace) {
        port.m_trace->Note(std::string(OperationName(job.type)) + " ended with " + std::to_string(r) +
                           (r == kErrSuccess ? "" : " (" + DescribeCode(r) + ")"));
    }
    port.m_trace = nullptr;
    job.result = r;
    job.error = port.LastError();
    if (job.error.code != r) {
        job.error = ErrorInfo{r, 0, {}};
    }
    return 0;
}
