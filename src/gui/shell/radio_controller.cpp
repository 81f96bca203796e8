#include "gui/shell/radio_controller.h"

#include <QSettings>

#include "document/read_backup.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_com_list.h"
#include "gui/dialogs/dlg_firm_ver.h"
#include "gui/dialogs/dlg_fleet.h"
#include "gui/dialogs/gui_clone_host.h"
#include "gui/shell/command_table.h"
#include "gui/shell/file_controller.h"
#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextBackupSaved = 20010;   // %s: the file
constexpr uint32_t kTextBackupFailed = 20011;  // %s: the reason
constexpr uint32_t kTextFirmwareFilter = 2100;
constexpr uint32_t kTextFirmwareExtension = 2101;
constexpr char kComPortKey[] = "Global/ComPort";
constexpr char kComSpeedKey[] = "Global/ComSpeed";

using Icon = IUserPrompts::Icon;
using Buttons = IUserPrompts::Buttons;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

QString Format(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}

}  // namespace

CRadioController::CRadioController(CTalveroDoc* document, QWidget* window, CFileController& files,
                                   StatusLine status)
    : m_document(document), m_window(window), m_files(files), m_status(std::move(status)) {}

void CRadioController::RegisterCommands(CommandRouter& router) {
    router.Add(ID_CLONE_READ, [this] { OnCloneRead(); });
    router.Add(ID_CLONE_WRITE, [this] { OnCloneWrite(); });
    router.Add(ID_CLONE_INFORMATION, [this] { OnCloneInformation(); });
    router.Add(ID_CLONE_INITIALIZATION, [this] { OnCloneInitialization(); });
    router.Add(ID_FIRMWARE_UPDATE, [this] { OnFirmwareUpdate(); });
    router.Add(ID_CLONE_FLEET, [this] { OnCloneFleet(); });
    router.Add(ID_COM_MORE, [this] { OnComMore(); });
    router.Add(ID_COM_SEARCH, [this] { OnComSearch(); });
    for (const SpeedCommand& speed : SpeedCommands()) {
        const uint32_t bitsPerSecond = speed.bitsPerSecond;
        router.Add(speed.id, [this, bitsPerSecond] { SetSpeed(bitsPerSecond); });
    }
}

void CRadioController::LoadLinkSettings() {
    QSettings settings;
    m_link.m_comPort = settings.value(kComPortKey, "1").toString().toStdString();
    bool ok = false;
    m_link.m_comSpeed = settings.value(kComSpeedKey, 38400).toUInt(&ok);
    if (!ok) {
        m_link.m_comSpeed = 38400;
    }
}

void CRadioController::SaveLinkSettings() const {
    QSettings settings;
    settings.setValue(kComPortKey, QString::fromStdString(m_link.m_comPort));
    settings.setValue(kComSpeedKey, m_link.m_comSpeed);
}

void CRadioController::Report(const RadioOutcome& outcome, const RecipeTexts& texts) {
    const uint32_t id = OutcomeTextId(outcome, texts);
    if (id == 0) {
        return;
    }
    if (outcome.stage == RadioStage::kDocument) {
        UserPrompts().Message(m_window, Format(id, {outcome.duplicateEntry + 1}), Icon::Stop, Buttons::Ok);
    } else if (outcome.ok()) {
        UserPrompts().Message(m_window, Text(id), Icon::Information, Buttons::Ok);
    } else {
        UserPrompts().Message(m_window, FailureText(id, outcome.error, m_link.m_comPort), Icon::Stop,
                              Buttons::Ok);
    }
}

void CRadioController::OnCloneRead() {
    // A radio read replaces the document: the user is asked to save changes first.
    if (!m_files.SaveModified()) {
        return;
    }
    CGuiCloneHost host(m_window);
    const RadioOutcome read = ReadConfiguration(m_link, host, RadioCommandTimings());
    if (!read.ok()) {
        Report(read, kReadTexts);
        return;
    }
    m_document->SetModifiedFlag(false);
    m_files.OnFileNew();
    m_document->LoadSettings(read.data, false);
    const BackupResult backup = SaveReadBackup(*m_document, DefaultBackupFolder());
    if (!m_status) {
        return;
    }
    m_status(backup.error.ok()
                 ? Format(kTextBackupSaved, {QString::fromStdString(backup.path).toStdU16String()})
                 : Format(kTextBackupFailed,
                          {QString::fromStdString(DescribeCode(backup.error.code) + " " + backup.error.detail)
                               .toStdU16String()}));
}

void CRadioController::OnCloneWrite() {
    CGuiCloneHost host(m_window);
    Report(WriteConfiguration(*m_document, m_link, host, RadioCommandTimings()), kWriteTexts);
}

void CRadioController::OnCloneInformation() {
    CDlgFirmVer dialog(m_window);
    CGuiCloneHost host(m_window);
    const RadioOutcome info = ReadRadioInformation(m_link, host, RadioCommandTimings());
    if (!info.ok()) {
        Report(info, kInformationTexts);
        return;
    }
    const char16_t* keys[] = {u"model", u"ver", u"bt_ver"};
    for (size_t i = 0; i < dialog.m_values.size(); ++i) {
        dialog.m_values[i] = QString::fromStdU16String(info.data.GetValue(keys[i], u""));
    }
    UserPrompts().ExecDialog(&dialog);
}

void CRadioController::OnCloneInitialization() {
    CGuiCloneHost host(m_window);
    Report(InitialiseRadio(m_link, host, RadioCommandTimings()), kInitialiseTexts);
}

void CRadioController::OnFirmwareUpdate() {
    const QString path =
        UserPrompts().OpenFileName(m_window, Text(kTextFirmwareFilter), Text(kTextFirmwareExtension));
    if (path.isEmpty()) {
        return;
    }
    CGuiCloneHost host(m_window);
    Report(UpdateRadioFirmware(path.toStdString(), m_link, host, RadioCommandTimings()), kFirmwareTexts);
}

void CRadioController::OnComMore() {
    CDlgComList dialog(m_window);
    dialog.m_selectedPort = m_link.m_comPort;
    dialog.Initialise();
    if (UserPrompts().ExecDialog(&dialog) == QDialog::Accepted) {
        m_link.m_comPort = dialog.m_selectedPort;
    }
}

void CRadioController::OnComSearch() {
    CGuiCloneHost host(m_window);
    const RadioOutcome search = SearchRadioPort(m_link, host, RadioCommandTimings());
    if (search.ok()) {
        // The found port is in the message: the success text takes it as its argument.
        UserPrompts().Message(
            m_window,
            Format(kSearchTexts.success, {QString::fromStdString(m_link.m_comPort).toStdU16String()}),
            Icon::Information, Buttons::Ok);
    } else {
        UserPrompts().Message(m_window, Text(kSearchTexts.failure), Icon::Stop, Buttons::Ok);
    }
}

void CRadioController::OnCloneFleet() {
    CDlgFleet dialog(m_link.m_comSpeed, m_window);
    UserPrompts().ExecDialog(&dialog);
}
