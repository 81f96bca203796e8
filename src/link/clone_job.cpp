#include "link/clone_job.h"

#include "platform/code_page.h"
#include "platform/posix/port_enum.h"

uint32_t CloneThreadProc(CloneJob& job, const CloneProgressCallback& progress) {
    CCloneSoftSerialPort port;
    port.ApplyTimings(job.timings);
    port.m_acceptedCodes.insert(kAcceptedDeviceCode);
    port.m_progressCallback = progress;
    CloneLinkSettings none;
    CloneLinkSettings& settings = job.link ? *job.link : none;
    const std::string& portName = settings.m_comPort;
    const uint32_t speed = settings.m_comSpeed;
    const std::u16string& password = settings.m_clonePassword;
    uint32_t r = kErrInvalidData;
    switch (job.type) {
        case kJobInformation:
            r = port.ReadInformation(portName, speed, job.data);
            break;
        case kJobRead:
            r = port.ReadClone(portName, speed, password, job.data);
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
    job.result = r;
    job.error = port.LastError();
    if (job.error.code != r) {
        job.error = ErrorInfo{r, 0, {}};
    }
    return 0;
}
