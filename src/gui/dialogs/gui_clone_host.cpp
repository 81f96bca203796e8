#include "gui/dialogs/gui_clone_host.h"

#include <cerrno>

#include "gui/dialogs/dlg_clone_password.h"
#include "gui/dialogs/dlg_cloning.h"
#include "gui/shell/user_prompts.h"
#include "link/clone_job.h"
#include "platform/posix/port_access.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextPermission = 20000;  // %s: the device, %s: its group
constexpr uint32_t kTextPermissionNoGroup = 20001;
constexpr uint32_t kTextBusy = 20002;
constexpr uint32_t kTextAbsent = 20003;
constexpr uint32_t kTextNotSerial = 20004;
constexpr uint32_t kTextAccessPassword = 2065;
constexpr uint32_t kTextAskWrite = 2064;
constexpr uint32_t kTextAskInitialise = 2073;
constexpr uint32_t kTextAskFirmware = 2063;

QString Format(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}

}  // namespace

void CGuiCloneHost::RunJob(CloneJob& job, uint32_t captionId, int32_t rangeMax) {
    CDlgCloning dialog(m_parent);
    dialog.m_captionId = static_cast<int32_t>(captionId);
    dialog.m_rangeMin = 0;
    dialog.m_rangeMax = rangeMax;
    dialog.RunJob(job);
}

bool CGuiCloneHost::AskClonePassword(std::u16string& password) {
    CDlgClonePassword dialog(m_parent);
    if (UserPrompts().ExecDialog(&dialog) != QDialog::Accepted || dialog.m_password.empty()) {
        return false;
    }
    password = dialog.m_password;
    return true;
}

bool CGuiCloneHost::Confirm(RadioQuestion question) {
    uint32_t textId = 0;
    IUserPrompts::Icon icon = IUserPrompts::Icon::Question;
    // What cannot be undone is not done by a bare Enter.
    IUserPrompts::Buttons buttons = IUserPrompts::Buttons::YesNo;
    switch (question) {
        case RadioQuestion::kWriteSetsAccessPassword:
            textId = kTextAccessPassword;
            icon = IUserPrompts::Icon::Warning;
            break;
        case RadioQuestion::kWriteConfiguration:
            textId = kTextAskWrite;
            break;
        case RadioQuestion::kInitialise:
            textId = kTextAskInitialise;
            buttons = IUserPrompts::Buttons::YesNoDefaultNo;
            break;
        case RadioQuestion::kUpdateFirmware:
            textId = kTextAskFirmware;
            buttons = IUserPrompts::Buttons::YesNoDefaultNo;
            break;
    }
    const QString text = QString::fromStdU16String(GetLanguageText(textId));
    return UserPrompts().Message(m_parent, text, icon, buttons) == IUserPrompts::Answer::Yes;
}

CloneTimings& RadioCommandTimings() {
    static CloneTimings timings;
    return timings;
}

QString PortOpenHelp(const ErrorInfo& error, const std::string& port) {
    const std::u16string device = QString::fromStdString(port).toStdU16String();
    switch (error.sysErrno) {
        case EACCES:
        case EPERM: {
            // Joining the owning group helps only when that group may read and write the device
            // (and is not root's own): otherwise only the device's permissions can be changed.
            const std::string group = GroupGrantingAccess(port);
            if (!group.empty()) {
                const std::u16string name = QString::fromLocal8Bit(group.c_str()).toStdU16String();
                return Format(kTextPermission, {device, name, name});
            }
            return Format(kTextPermissionNoGroup, {device});
        }
        case ENOTTY:
            return Format(kTextNotSerial, {device});
        case EBUSY:
            return Format(kTextBusy, {device});
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return Format(kTextAbsent, {device});
        default:
            return {};
    }
}

QString FailureText(uint32_t textId, const ErrorInfo& error, const std::string& port) {
    // A firmware file that cannot be opened fails with the same system errors as a port.
    const bool aboutFile = error.detail.rfind("firmware image", 0) == 0;
    if (!aboutFile && error.sysErrno == ENOTTY) {
        return PortOpenHelp(error, port);
    }
    QString text = QString::fromStdU16String(GetLanguageText(textId));
    const QString help = aboutFile ? QString() : PortOpenHelp(error, port);
    if (!help.isEmpty()) {
        text += QStringLiteral("\n\n") + help;
    }
    return text;
}
