// The main window's radio commands: each checks the radio, runs its operation behind the
// progress window and reports the result in words.
#include <QStatusBar>

#include "document/read_backup.h"
#include "gui/dialogs/dlg_com_list.h"
#include "gui/dialogs/dlg_firm_ver.h"
#include "gui/dialogs/gui_clone_host.h"
#include "gui/shell/command_table.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextBackupSaved = 20010;   // %s: the file
constexpr uint32_t kTextBackupFailed = 20011;  // %s: the reason

using Icon = IUserPrompts::Icon;
using Buttons = IUserPrompts::Buttons;
using Answer = IUserPrompts::Answer;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

// One command's job with the window's link settings; the password the check asked for and the
// port a search found go back to the window.
struct RadioRun {
    explicit RadioRun(CMainFrame& frame) : frame(frame) {
        settings.m_comPort = frame.m_comPort.toStdString();
        settings.m_comSpeed = frame.m_comSpeed;
        settings.m_clonePassword = frame.m_clonePassword;
        job.frame = &settings;
    }
    void StoreBack() {
        frame.m_clonePassword = settings.m_clonePassword;
        frame.m_comPort = QString::fromStdString(settings.m_comPort);
    }
    uint32_t Check(bool askPassword) {
        const uint32_t r = CheckRadio(job, askPassword, host);
        StoreBack();
        return r;
    }
    uint32_t Run(int type, uint32_t captionId, int32_t rangeMax) {
        job.type = type;
        job.result = 0;
        job.error = {};
        host.RunJob(job, captionId, rangeMax);
        StoreBack();
        return job.result;
    }
    void Fail(uint32_t textId) {
        UserPrompts().Message(&frame, FailureText(textId, job.error, settings.m_comPort), Icon::Stop,
                              Buttons::Ok);
    }
    // A failed device check: nothing when the user cancelled, else the general link failure.
    bool CheckPassed(bool askPassword) {
        const uint32_t r = Check(askPassword);
        if (r == kErrCancelled) {
            return false;
        }
        if (r != kErrSuccess) {
            Fail(2055);
            return false;
        }
        return true;
    }
    // The result of a transfer to the radio, under the command's own texts.
    void Report(uint32_t result, uint32_t successId, uint32_t invalidDataId) {
        if (result == kErrSuccess) {
            UserPrompts().Message(&frame, Text(successId), Icon::Information, Buttons::Ok);
        } else {
            Fail(result == kErrInvalidData ? invalidDataId : result == kErrInvalidPassword ? 2066 : 2055);
        }
    }

    CMainFrame& frame;
    CloneLinkSettings settings;
    CloneJob job;
    CGuiCloneHost host{&frame};
};

bool Confirmed(QWidget* parent, const QString& text, Icon icon) {
    return UserPrompts().Message(parent, text, icon, Buttons::YesNo) == Answer::Yes;
}

}  // namespace

void CMainFrame::OnCloneRead() {
    // A radio read replaces the document: the user is asked to save changes first.
    if (!SaveModified()) {
        return;
    }
    RadioRun run(*this);
    if (!run.CheckPassed(true)) {
        return;
    }
    run.job.data = CIniData();
    const uint32_t result = run.Run(kJobRead, 2050, 1922);
    if (result != kErrSuccess) {
        run.Fail(result == kErrInvalidData ? 2057 : result == kErrInvalidPassword ? 2066 : 2055);
        return;
    }
    m_document->SetModifiedFlag(false);
    OnFileNew();
    m_document->LoadSettings(run.job.data, false);
    const BackupResult backup = SaveReadBackup(*m_document, DefaultBackupFolder());
    const QString status =
        backup.error.ok()
            ? QString::fromStdU16String(FormatLanguageText(
                  kTextBackupSaved, {QString::fromStdString(backup.path).toStdU16String()}))
            : QString::fromStdU16String(FormatLanguageText(
                  kTextBackupFailed,
                  {QString::fromStdString(DescribeCode(backup.error.code) + " " + backup.error.detail)
                       .toStdU16String()}));
    StatusBar()->showMessage(status);
}

void CMainFrame::OnCloneWrite() {
    unsigned index = 0;
    if (!m_document->FindDuplicateIdEntry(index)) {
        UserPrompts().Message(this, QString::fromStdU16String(FormatLanguageText(2074, {index + 1})),
                              Icon::Stop, Buttons::Ok);
        return;
    }
    if (!m_document->Get(u"access_pass").empty() && !Confirmed(this, Text(2065), Icon::Warning)) {
        return;
    }
    if (!Confirmed(this, Text(2064), Icon::Question)) {
        return;
    }
    RadioRun run(*this);
    if (!run.CheckPassed(true)) {
        return;
    }
    run.job.lines.clear();
    m_document->RenderSettings(run.job.lines, false);
    run.Report(run.Run(kJobWrite, 2050, 100), 2059, 2061);
}

void CMainFrame::OnCloneInformation() {
    CDlgFirmVer dialog(this);
    RadioRun run(*this);
    if (run.Check(false) != kErrSuccess) {
        run.Fail(2055);
        return;
    }
    const char16_t* keys[] = {u"model", u"ver", u"bt_ver"};
    for (size_t i = 0; i < dialog.m_values.size(); ++i) {
        dialog.m_values[i] = QString::fromStdU16String(run.job.data.GetValue(keys[i], u""));
    }
    UserPrompts().ExecDialog(&dialog);
}

void CMainFrame::OnCloneInitialization() {
    if (!Confirmed(this, Text(2073), Icon::Question)) {
        return;
    }
    RadioRun run(*this);
    if (!run.CheckPassed(true)) {
        return;
    }
    run.job.lines = {u"init=0x0E"};
    run.Report(run.Run(kJobWrite, 2070, 100), 2071, 2072);
}

void CMainFrame::OnFirmwareUpdate() {
    const QString path = UserPrompts().OpenFileName(this, Text(2100), Text(2101));
    if (path.isEmpty()) {
        return;
    }
    if (!Confirmed(this, Text(2063), Icon::Question)) {
        return;
    }
    RadioRun run(*this);
    if (!run.CheckPassed(true)) {
        return;
    }
    // The whole path: cutting a long one would send whatever file its first part names.
    run.job.firmwarePath = path.toStdString();
    run.Report(run.Run(kJobFirmware, 2051, 5), 2058, 2062);
}

void CMainFrame::OnComMore() {
    CDlgComList dialog(this);
    dialog.m_selectedPort = m_comPort.toStdString();
    dialog.Initialise();
    if (UserPrompts().ExecDialog(&dialog) == QDialog::Accepted) {
        m_comPort = QString::fromStdString(dialog.m_selectedPort);
    }
}

void CMainFrame::OnComSearch() {
    RadioRun run(*this);
    if (run.Run(kJobSearch, 2053, 100) == kErrSuccess) {
        UserPrompts().Message(
            this, QString::fromStdU16String(FormatLanguageText(2054, {m_comPort.toStdU16String()})),
            Icon::Information, Buttons::Ok);
    } else {
        UserPrompts().Message(this, Text(2056), Icon::Stop, Buttons::Ok);
    }
}
