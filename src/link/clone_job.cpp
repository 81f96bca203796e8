#include "link/clone_job.h"

#include "platform/code_page.h"
#include "platform/posix/port_enum.h"

uint32_t CloneThreadProc(CloneJob& job, const CloneProgressCallback& progress) {
    CCloneSoftSerialPort port;
    port.ApplyTimings(job.timings);
    port.m_acceptedCodes.insert(kAcceptedDeviceCode);
    port.m_progressCallback = progress;
    CloneLinkSettings none;
    CloneLinkSettings& settings = job.frame ? *job.frame : none;
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

uint32_t CheckRadio(CloneJob& job, bool askPassword, ICloneHost& host) {
    if (job.frame) {
        job.frame->m_clonePassword.clear();
    }
    job.type = kJobInformation;
    host.RunJob(job, 2052, 3);
    uint32_t r = job.result;
    if (r == kErrSuccess && askPassword && LeadingDecimal(job.data.GetValue(u"auth", u"")) != 0) {
        std::u16string password;
        if (!host.AskClonePassword(password)) {
            r = kErrCancelled;
        } else if (job.frame) {
            job.frame->m_clonePassword = password;
        }
    }
    return r;
}
