#include "gui/shell/radio_controller.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>
#include <filesystem>
#include <iterator>
#include <tuple>

#include "document/read_backup.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_cloning.h"
#include "gui/dialogs/dlg_com_list.h"
#include "gui/dialogs/dlg_diagnostic_report.h"
#include "gui/dialogs/dlg_differences.h"
#include "gui/dialogs/dlg_firm_ver.h"
#include "gui/dialogs/dlg_fleet.h"
#include "gui/dialogs/gui_clone_host.h"
#include "gui/shell/command_table.h"
#include "gui/shell/file_controller.h"
#include "gui/shell/transfer_timed_host.h"
#include "gui/shell/user_prompts.h"
#include "link/clone_trace.h"
#include "link/diagnostic_report.h"
#include "link/trace_store.h"
#include "pages/page_value_text.h"
#include "pages/stored_value_report.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextBackupSaved = 20010;   // %s: the file
constexpr uint32_t kTextBackupFailed = 20011;  // %s: the reason
constexpr uint32_t kTextReadDone = 20012;      // %s: the model, %u: settings, %s: the backup's name
constexpr uint32_t kTextTimeTaken = 20013;     // %s: seconds
constexpr uint32_t kTextPortsInstead = 20006;  // %s: the saved port, %s: the ports present
constexpr uint32_t kTextNoPorts = 20007;       // %s: the saved port
constexpr uint32_t kTextUsingUsbPort = 20008;  // %s: the saved port, %s: the adapter
constexpr uint32_t kTextLinkPane = 20009;      // %s: the port, %u: bit/s
constexpr uint32_t kTextNoPortPane = 20063;    // %u: bit/s
constexpr uint32_t kDefaultSpeed = 38400;
constexpr uint32_t kTextFirmwareFilter = 2100;
constexpr uint32_t kTextFirmwareExtension = 2101;
constexpr char kComPortKey[] = "Global/ComPort";
constexpr char kComSpeedKey[] = "Global/ComSpeed";
constexpr char kVerifyKey[] = "Global/VerifyAfterWrite";
constexpr char kTraceKey[] = "Global/SerialTrace";
constexpr uint32_t kTextTraceFailed = 10603;  // %s: the reason
constexpr uint32_t kTextThisConfiguration = 10613;
constexpr uint32_t kTextRadio = 10614;
constexpr uint32_t kTextSame = 10616;
constexpr uint32_t kTextReportFilter = 10624;
constexpr uint32_t kTextReportExtension = 10627;
constexpr uint32_t kTextReportSaved = 10625;        // %s: the file
constexpr uint32_t kTextReportFailed = 10626;       // %s: the reason
constexpr uint32_t kTextWriteRefusedValues = 2181;  // %u: how many, %s: examples

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
    : m_document(document), m_window(window), m_files(files), m_status(std::move(status)), m_ports([] {
          std::vector<ComInfo> ports;
          EnumComPorts(ports);
          return ports;
      }) {}

void CRadioController::RegisterCommands(CommandRouter& router) {
    router.Add(ID_CLONE_READ, [this] { Traced("read", [this] { OnCloneRead(); }); });
    router.Add(ID_CLONE_WRITE, [this] { Traced("write", [this] { OnCloneWrite(); }); });
    router.Add(ID_CLONE_INFORMATION, [this] { Traced("information", [this] { OnCloneInformation(); }); });
    router.Add(ID_CLONE_INITIALIZATION,
               [this] { Traced("initialisation", [this] { OnCloneInitialization(); }); });
    router.Add(ID_FIRMWARE_UPDATE, [this] { Traced("firmware", [this] { OnFirmwareUpdate(); }); });
    router.Add(ID_CLONE_FLEET, [this] { OnCloneFleet(); });
    router.Add(ID_COM_MORE, [this] { OnComMore(); });
    router.Add(ID_COM_SEARCH, [this] { Traced("search", [this] { OnComSearch(); }); });
    router.Add(ID_CLONE_COMPARE, [this] { Traced("compare", [this] { OnCloneCompare(); }); });
    router.Add(ID_OPTION_VERIFY_WRITE, [this] { SetVerifyAfterWrite(!m_verifyAfterWrite); });
    router.Add(ID_OPTION_TRACE, [this] { SetTracing(!m_tracing); });
    router.Add(ID_HELP_DIAGNOSTIC_REPORT, [this] { OnSaveDiagnosticReport(); });
    for (const SpeedCommand& speed : SpeedCommands()) {
        const uint32_t bitsPerSecond = speed.bitsPerSecond;
        router.Add(speed.id, [this, bitsPerSecond] { SetSpeed(bitsPerSecond); });
    }
}

void CRadioController::LoadLinkSettings() {
    QSettings settings;
    // A value that cannot be what was stored (empty, not a number, zero) falls back to the default.
    m_link.m_comPort = settings.value(kComPortKey).toString().trimmed().toStdString();
    if (m_link.m_comPort.empty()) {
        // A first start: the only USB serial adapter present is the radio's cable; with none or
        // several, no port is chosen until the user chooses one (a command meanwhile searches).
        const std::vector<ComInfo> ports = m_ports ? m_ports() : std::vector<ComInfo>{};
        const ComInfo* usb = nullptr;
        int adapters = 0;
        for (const ComInfo& port : ports) {
            if (port.usb) {
                usb = &port;
                ++adapters;
            }
        }
        if (adapters == 1) {
            m_link.m_comPort = usb->port;
        }
    }
    bool ok = false;
    m_link.m_comSpeed = settings.value(kComSpeedKey, kDefaultSpeed).toUInt(&ok);
    if (!ok || m_link.m_comSpeed == 0) {
        m_link.m_comSpeed = kDefaultSpeed;
    }
    m_verifyAfterWrite = settings.value(kVerifyKey, false).toBool();
    m_tracing = settings.value(kTraceKey, false).toBool();
}

void CRadioController::SetVerifyAfterWrite(bool on) {
    m_verifyAfterWrite = on;
    QSettings().setValue(kVerifyKey, on);
}

void CRadioController::SetTracing(bool on) {
    m_tracing = on;
    QSettings().setValue(kTraceKey, on);
}

void CRadioController::Traced(const std::string& command, const std::function<void()>& run) {
    if (!m_tracing) {
        run();
        return;
    }
    const std::string folder = DefaultTraceFolder();
    ErrorInfo failure;
    CCloneTrace trace;
    const std::string path = NewTracePath(folder, command, failure);
    if (!path.empty()) {
        trace.Open(path, "Talvero " + command + " trace, started " + TraceTimestamp());
        m_link.m_trace = &trace;
    }
    run();
    m_link.m_trace = nullptr;
    trace.Close();
    PruneTraces(folder);
    // A trace that cannot be kept stops nothing; it is told once, on the status line.
    if (failure.ok()) {
        failure = trace.TakeFailure();
    }
    if (!failure.ok() && m_status) {
        m_status(Format(kTextTraceFailed, {QString::fromStdString(failure.detail).toStdU16String()}),
                 QString());
    }
}

QString CRadioController::LinkDescription() const {
    if (m_link.m_comPort.empty()) {
        return Format(kTextNoPortPane, {m_link.m_comSpeed});
    }
    return Format(kTextLinkPane,
                  {QString::fromStdString(m_link.m_comPort).toStdU16String(), m_link.m_comSpeed});
}

bool CRadioController::EnsurePort() {
    std::error_code error;
    if (m_link.m_comPort.empty() || std::filesystem::exists(m_link.m_comPort, error)) {
        return true;
    }
    const std::u16string saved = QString::fromStdString(m_link.m_comPort).toStdU16String();
    const std::vector<ComInfo> ports = m_ports ? m_ports() : std::vector<ComInfo>{};
    std::vector<const ComInfo*> usb;
    for (const ComInfo& port : ports) {
        if (port.usb) {
            usb.push_back(&port);
        }
    }
    if (usb.size() == 1) {
        // The one adapter present is the radio's cable: a first start needs no port choice.
        m_link.m_comPort = usb.front()->port;
        if (m_status) {
            m_status(Format(kTextUsingUsbPort, {saved, usb.front()->name}), QString());
        }
        return true;
    }
    QString text;
    if (ports.empty()) {
        text = Format(kTextNoPorts, {saved});
    } else {
        QStringList names;
        for (const ComInfo& port : ports) {
            names << QString::fromStdU16String(port.name);
        }
        text = Format(kTextPortsInstead, {saved, names.join("\n").toStdU16String()});
    }
    UserPrompts().Message(m_window, text, Icon::Stop, Buttons::Ok);
    return false;
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
    } else if (outcome.stage == RadioStage::kVerify && outcome.result == kErrSuccess) {
        // Written, but read back differently: each setting with its page, label and both values.
        QStringList lines;
        for (const SettingDifference& d : outcome.differences) {
            const auto place = ShownPlaceOf(d.key);
            const QString where =
                place ? QString::fromStdU16String(place->page + u": " + place->label + u" ") : QString();
            lines << where + QStringLiteral("(") + QString::fromStdU16String(d.key) + QStringLiteral("): ") +
                         ShownSettingValue(*m_document, d.key, d.first) + QStringLiteral(" \u2192 ") +
                         (d.missing ? QStringLiteral("-") : ShownSettingValue(*m_document, d.key, d.second));
        }
        m_lastError = Format(
            id, {static_cast<unsigned>(outcome.differences.size()), lines.join('\n').toStdU16String()});
        UserPrompts().Message(m_window, m_lastError, Icon::Warning, Buttons::Ok);
    } else {
        m_lastError = FailureText(id, outcome.error, m_link.m_comPort);
        UserPrompts().Message(m_window, m_lastError, Icon::Stop, Buttons::Ok);
    }
}

void CRadioController::OnCloneRead() {
    // A radio read replaces the document: the user is asked to save changes first.
    if (!m_files.SaveModified() || !EnsurePort()) {
        return;
    }
    CGuiCloneHost host(m_window);
    ExpectReadLikeDocument();
    const RadioOutcome read = ReadConfiguration(m_link, host, RadioCommandTimings());
    if (!read.ok()) {
        Report(read, kReadTexts);
        return;
    }
    m_document->SetModifiedFlag(false);
    m_files.OnFileNew();
    m_document->LoadSettings(read.data, false);
    // The backup holds what the radio sent, whatever the program's WLAN-only mode shows.
    const BackupResult backup = SaveReadBackup(read.data, read.receivedText, DefaultBackupFolder());
    if (!m_status) {
        return;
    }
    if (!backup.error.ok()) {
        m_status(Format(kTextBackupFailed,
                        {QString::fromStdString(DescribeCode(backup.error.code) + " " + backup.error.detail)
                             .toStdU16String()}),
                 QString());
        return;
    }
    // The line names the backup's file; its tip gives the whole path.
    const QString path = QString::fromStdString(backup.path);
    const std::u16string model = read.information.GetValue(u"model", u"");
    const auto settings = static_cast<unsigned>(read.data.size());
    m_status(Format(kTextReadDone, {model, settings, QFileInfo(path).fileName().toStdU16String()}),
             Format(kTextBackupSaved, {path.toStdU16String()}));
}

void CRadioController::ExpectReadLikeDocument() {
    // Until a read on this link has told the radio's size, a configuration like the document's
    // is the best guess, known before the transfer starts.
    if (m_link.m_expectedReadBytes == 0) {
        m_link.m_expectedReadBytes = CloneTextBytesOf(*m_document);
    }
}

void CRadioController::ReportTimed(const RadioOutcome& outcome, const RecipeTexts& texts, qint64 elapsedMs) {
    const uint32_t id = OutcomeTextId(outcome, texts);
    if (!outcome.ok() || id == 0) {
        Report(outcome, texts);
        return;
    }
    const QString seconds = QString::number(static_cast<double>(elapsedMs) / 1000.0, 'f', 1);
    UserPrompts().Message(m_window, Text(id) + "\n\n" + Format(kTextTimeTaken, {seconds.toStdU16String()}),
                          Icon::Information, Buttons::Ok);
}

bool CRadioController::ConfirmRefusedValues() {
    const std::vector<RefusedStoredValue> refused = RefusedStoredValues(*m_document);
    if (refused.empty()) {
        return true;
    }
    // A few examples name the kind of problem; the load warnings listed them all.
    constexpr size_t kExamples = 5;
    std::u16string examples;
    for (size_t i = 0; i < refused.size() && i < kExamples; ++i) {
        examples += u"\n" + DescribeRefusedStoredValue(refused[i]);
    }
    if (refused.size() > kExamples) {
        examples += u"\n\u2026";
    }
    const std::u16string question =
        FormatLanguageText(kTextWriteRefusedValues, {static_cast<unsigned>(refused.size()), examples});
    return UserPrompts().Message(m_window, QString::fromStdU16String(question), IUserPrompts::Icon::Warning,
                                 IUserPrompts::Buttons::YesNo) == IUserPrompts::Answer::Yes;
}

void CRadioController::OnCloneWrite() {
    if (!ConfirmRefusedValues() || !EnsurePort()) {
        return;
    }
    CGuiCloneHost gui(m_window);
    TransferTimedHost host(gui);
    const RadioOutcome written =
        WriteConfiguration(*m_document, m_link, host, RadioCommandTimings(), m_verifyAfterWrite);
    ReportTimed(written, kWriteTexts, host.TransferMilliseconds());
}

void CRadioController::OnCloneInformation() {
    if (!EnsurePort()) {
        return;
    }
    CDlgFirmVer dialog(m_window);
    CGuiCloneHost host(m_window);
    const RadioOutcome info = ReadRadioInformation(m_link, host, RadioCommandTimings());
    if (!info.ok()) {
        Report(info, kInformationTexts);
        return;
    }
    static_assert(std::size(kInformationKeys) == std::tuple_size_v<decltype(dialog.m_values)>);
    for (size_t i = 0; i < dialog.m_values.size(); ++i) {
        dialog.m_values[i] = QString::fromStdU16String(info.data.GetValue(kInformationKeys[i], u""));
    }
    UserPrompts().ExecDialog(&dialog);
}

void CRadioController::OnCloneInitialization() {
    if (!EnsurePort()) {
        return;
    }
    CGuiCloneHost host(m_window);
    Report(InitialiseRadio(m_link, host, RadioCommandTimings()), kInitialiseTexts);
}

void CRadioController::OnFirmwareUpdate() {
    const QString path = UserPrompts().OpenFileFor(m_window, file_purpose::kFirmware,
                                                   Text(kTextFirmwareFilter), Text(kTextFirmwareExtension));
    if (path.isEmpty() || !EnsurePort()) {
        return;
    }
    CGuiCloneHost gui(m_window);
    TransferTimedHost host(gui);
    const RadioOutcome updated = UpdateRadioFirmware(path.toStdString(), m_link, host, RadioCommandTimings());
    ReportTimed(updated, kFirmwareTexts, host.TransferMilliseconds());
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

void CRadioController::OnCloneCompare() {
    CGuiCloneHost host(m_window);
    ExpectReadLikeDocument();
    const RadioOutcome read = ReadConfiguration(m_link, host, RadioCommandTimings());
    if (!read.ok()) {
        Report(read, kReadTexts);
        return;
    }
    CTalveroDoc radio;
    radio.LoadSettings(read.data, false);
    // What this configuration would leave in the radio, against what the radio holds.
    CTalveroDoc written;
    LoadAsRadioHoldsIt(*m_document, written);
    const std::vector<SettingDifference> differences = CompareDocuments(written, radio);
    if (differences.empty()) {
        UserPrompts().Message(m_window, Text(kTextSame), Icon::Information, Buttons::Ok);
        return;
    }
    auto* window = new CDlgDifferences(differences, written, radio, Text(kTextThisConfiguration),
                                       Text(kTextRadio), m_showSetting, m_window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void CRadioController::OnSaveDiagnosticReport() {
    CDlgDiagnosticReport dialog(m_window);
    if (UserPrompts().ExecDialog(&dialog) != QDialog::Accepted) {
        return;
    }
    const QString path =
        UserPrompts().SaveFileName(m_window, Text(kTextReportFilter), Text(kTextReportExtension),
                                   QStringLiteral("talvero-report.tar.gz"));
    if (path.isEmpty()) {
        return;
    }
    DiagnosticFacts facts;
    facts.toolkit =
        std::string("Qt ") + qVersion() + " (" + QSysInfo::prettyProductName().toStdString() + ")";
    facts.lastError = m_lastError.toStdString();
    facts.traceFolder = DefaultTraceFolder();
    facts.configuration = dialog.IncludeConfiguration() ? m_document : nullptr;
    const ErrorInfo e = SaveDiagnosticReport(path.toStdString(), facts);
    if (e.ok()) {
        UserPrompts().Message(m_window, Format(kTextReportSaved, {path.toStdU16String()}), Icon::Information,
                              Buttons::Ok);
    } else {
        UserPrompts().Message(
            m_window,
            Format(kTextReportFailed,
                   {QString::fromStdString(DescribeCode(e.code) + " " + e.detail).toStdU16String()}),
            Icon::Stop, Buttons::Ok);
    }
}

void CRadioController::OnCloneFleet() {
    CDlgFleet dialog(m_link.m_comSpeed, m_window);
    UserPrompts().ExecDialog(&dialog);
}
