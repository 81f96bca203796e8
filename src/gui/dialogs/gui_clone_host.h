#pragma once
// Runs radio jobs for the main window: each behind its progress window, the password asked in a
// dialog, the questions before a transfer in message boxes. Also turns a failed link into words a
// technician can act on.
#include <QString>

#include "link/clone_job.h"

class QWidget;

class CGuiCloneHost : public ICloneHost {
  public:
    explicit CGuiCloneHost(QWidget* parent) : m_parent(parent) {}
    void RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) override;
    bool AskClonePassword(std::u16string& password) override;
    // Yes/no message boxes: a warning before a password is set on the radio, a question otherwise.
    bool Confirm(RadioQuestion question) override;

  private:
    QWidget* m_parent;
};

// The time-outs and waits every radio command of the program passes to its recipe; tests shorten
// them.
CloneTimings& RadioCommandTimings();

// Why a port could not be opened, when the failure says so: who may use the device (with the
// group to join, when joining one would help), another program holding it, no device at that
// path, or a device that is no serial port. Empty otherwise.
QString PortOpenHelp(const ErrorInfo& error, const std::string& port);

// The message of a failed command: its text, then the port help where there is any. A device that
// is no serial port is said so in place of the command's text, which would blame the radio.
QString FailureText(uint32_t textId, const ErrorInfo& error, const std::string& port);
