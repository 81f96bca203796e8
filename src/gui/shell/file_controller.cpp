#include "gui/shell/file_controller.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QSettings>

#include "document/config_file.h"
#include "document/settings_compare.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_differences.h"
#include "gui/shell/command_table.h"
#include "gui/shell/language_ui.h"
#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

constexpr int kRecentFileCount = 4;
constexpr uint32_t kTextUntitled = 2019;
constexpr uint32_t kTextAskToSave = 2020;
constexpr uint32_t kTextFileFilter = 2022;
constexpr uint32_t kTextFileExtension = 2023;
constexpr uint32_t kTextOpenFailed = 61697;
constexpr uint32_t kTextSaveFailed = 61698;
constexpr uint32_t kTextSecretsShared = 2185;  // %s: the file
constexpr uint32_t kTextThisConfiguration = 10613;
constexpr uint32_t kTextSame = 10616;
constexpr uint32_t kTextCompareFailed = 10618;  // %s: the file, %s: the reason

uint32_t RefusalText(ConfigRefusal refusal) {
    switch (refusal) {
        case ConfigRefusal::CannotOpen:
            return 2025;
        case ConfigRefusal::Empty:
            return 2026;
        case ConfigRefusal::ShortRead:
            return 2027;
        case ConfigRefusal::TooLarge:
            return 2028;
        case ConfigRefusal::NotConfiguration:
            return 2029;
        case ConfigRefusal::EntryRefused:
            return 2021;
        case ConfigRefusal::None:
            break;
    }
    return 2029;
}

std::u16string SystemErrorText(const ErrorInfo& error) {
    std::string text = error.detail.empty() ? DescribeCode(error.code) : error.detail;
    return QString::fromStdString(text).toStdU16String();
}

}  // namespace

CFileController::CFileController(CTalveroDoc* document, QWidget* window)
    : QObject(window), m_document(document), m_window(window) {}

void CFileController::RegisterCommands(CommandRouter& router) {
    router.Add(ID_FILE_NEW, [this] { OnFileNew(); });
    router.Add(ID_FILE_OPEN, [this] { OnFileOpen(); });
    router.Add(ID_FILE_SAVE, [this] { OnFileSave(); });
    router.Add(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    router.Add(ID_FILE_COMPARE, [this] { OnFileCompare(); });
}

void CFileController::AttachRecentMenu(QMenu* fileMenu, QAction* placeholder) {
    m_fileMenu = fileMenu;
    m_recentPlaceholder = placeholder;
    LoadRecentFiles();
    RebuildRecentMenu();
}

QString CFileController::DocumentTitle() const {
    if (!m_document || m_document->GetPathName().empty()) {
        return LanguageText(kTextUntitled);
    }
    return QFileInfo(QString::fromStdString(m_document->GetPathName())).fileName();
}

bool CFileController::SaveModified() {
    if (!m_document || !m_document->IsModified()) {
        return true;
    }
    const QString text =
        QString::fromStdU16String(FormatLanguageText(kTextAskToSave, {DocumentTitle().toStdU16String()}));
    switch (UserPrompts().Message(m_window, text, IUserPrompts::Icon::Warning,
                                  IUserPrompts::Buttons::YesNoCancel)) {
        case IUserPrompts::Answer::Yes:
            return OnFileSave();
        case IUserPrompts::Answer::No:
            return true;
        default:
            return false;
    }
}

bool CFileController::OnFileNew() {
    if (!SaveModified()) {
        return false;
    }
    m_document->OnNewDocument();
    m_document->UpdateAllViews(0);
    return true;
}

bool CFileController::OnFileOpen() {
    if (!SaveModified()) {
        return false;
    }
    const QString path =
        UserPrompts().OpenFileFor(m_window, file_purpose::kOpenConfiguration, LanguageText(kTextFileFilter),
                                  LanguageText(kTextFileExtension));
    if (path.isEmpty()) {
        return false;
    }
    return OpenDocumentFile(path);
}

bool CFileController::OpenDocumentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const ConfigLoadResult result = OpenConfigurationFile(*m_document, absolute.toStdString());
    if (result.ok()) {
        AddRecentFile(absolute);
        m_document->UpdateAllViews(0);
        return true;
    }
    std::u16string reason = GetLanguageText(RefusalText(result.refusal));
    if (result.refusal == ConfigRefusal::CannotOpen) {
        reason = FormatLanguageText(RefusalText(result.refusal), {SystemErrorText(result.error)});
    }
    const QString text = QString::fromStdU16String(
        FormatLanguageText(kTextOpenFailed, {QFileInfo(absolute).fileName().toStdU16String(), reason}));
    UserPrompts().Message(m_window, text, IUserPrompts::Icon::Warning, IUserPrompts::Buttons::Ok);
    RemoveRecentFile(absolute);
    if (result.refusal != ConfigRefusal::CannotOpen) {
        // The file was read and refused: nothing of it may remain, so the user is left with a
        // new document holding the defaults.
        m_document->OnNewDocument();
        m_document->UpdateAllViews(0);
    }
    return false;
}

bool CFileController::OnFileSave() {
    if (m_document->GetPathName().empty()) {
        return OnFileSaveAs();
    }
    return DoSave(QString::fromStdString(m_document->GetPathName()));
}

bool CFileController::OnFileSaveAs() {
    QString suggested = QString::fromStdString(m_document->GetPathName());
    if (suggested.isEmpty()) {
        suggested = LanguageText(kTextUntitled) + "." + LanguageText(kTextFileExtension);
    }
    const QString path =
        UserPrompts().SaveFileFor(m_window, file_purpose::kSaveConfiguration, LanguageText(kTextFileFilter),
                                  LanguageText(kTextFileExtension), suggested);
    if (path.isEmpty()) {
        return false;
    }
    return DoSave(QFileInfo(path).absoluteFilePath());
}

bool CFileController::DoSave(const QString& path) {
    const ErrorInfo error = SaveConfigurationFile(*m_document, path.toStdString());
    if (!error.ok()) {
        const QString text = QString::fromStdU16String(
            FormatLanguageText(kTextSaveFailed, {path.toStdU16String(), SystemErrorText(error)}));
        UserPrompts().Message(m_window, text, IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
        return false;
    }
    // A save keeps an existing file's mode: when that lets others read the secrets it now holds,
    // the user is told, once per file in a session.
    if (SecretsReadableByOthers(*m_document, path.toStdString()) && !m_toldSecretsShared.contains(path)) {
        m_toldSecretsShared.insert(path);
        UserPrompts().Message(
            m_window,
            QString::fromStdU16String(FormatLanguageText(kTextSecretsShared, {path.toStdU16String()})),
            IUserPrompts::Icon::Warning, IUserPrompts::Buttons::Ok);
    }
    AddRecentFile(path);
    // The path may have changed (Save As): the path pane and the title follow it at once.
    emit PathChanged();
    emit Saved();
    return true;
}

// ---- recent files ------------------------------------------------------------------------

void CFileController::LoadRecentFiles() {
    QSettings settings;
    m_recentFiles.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString file = settings.value(QString("Recent File List/File%1").arg(i)).toString();
        if (!file.isEmpty() && !m_recentFiles.contains(file)) {
            m_recentFiles << file;
        }
    }
}

void CFileController::SaveRecentFiles() const {
    QSettings settings;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QString("Recent File List/File%1").arg(i);
        if (i <= m_recentFiles.size()) {
            settings.setValue(key, m_recentFiles[i - 1]);
        } else {
            settings.remove(key);
        }
    }
}

void CFileController::AddRecentFile(const QString& path) {
    m_recentFiles.removeAll(path);
    m_recentFiles.prepend(path);
    while (m_recentFiles.size() > kRecentFileCount) {
        m_recentFiles.removeLast();
    }
    SaveRecentFiles();
    RebuildRecentMenu();
}

void CFileController::RemoveRecentFile(const QString& path) {
    if (m_recentFiles.removeAll(path) > 0) {
        SaveRecentFiles();
        RebuildRecentMenu();
    }
}

void CFileController::RebuildRecentMenu() {
    QAction* placeholder = m_recentPlaceholder;
    if (!placeholder || !m_fileMenu) {
        return;
    }
    for (QAction* action : m_recentActions) {
        m_fileMenu->removeAction(action);
        delete action;
    }
    m_recentActions.clear();
    // The placeholder stands, disabled, for an empty list; the files take its place otherwise.
    placeholder->setVisible(m_recentFiles.isEmpty());
    for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
        const QString file = m_recentFiles[i];
        auto* action =
            new QAction(QString("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(file)), m_fileMenu);
        action->setData(static_cast<uint32_t>(ID_FILE_MRU_FILE1 + i));
        action->setStatusTip(CommandPrompt(ID_FILE_MRU_FILE1));
        connect(action, &QAction::triggered, this, [this, file] {
            if (SaveModified()) {
                OpenDocumentFile(file);
            }
        });
        m_fileMenu->insertAction(placeholder, action);
        m_recentActions << action;
    }
}

void CFileController::OnFileCompare() {
    const QString path =
        UserPrompts().OpenFileName(m_window, LanguageText(kTextFileFilter), LanguageText(kTextFileExtension));
    if (path.isEmpty()) {
        return;
    }
    CTalveroDoc other;
    const ConfigLoadResult loaded = OpenConfigurationFile(other, path.toStdString());
    if (!loaded.ok()) {
        UserPrompts().Message(
            m_window,
            QString::fromStdU16String(FormatLanguageText(
                kTextCompareFailed,
                {path.toStdU16String(), QString::fromStdString(loaded.Describe()).toStdU16String()})),
            IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
        return;
    }
    const std::vector<SettingDifference> differences = CompareDocuments(*m_document, other);
    if (differences.empty()) {
        UserPrompts().Message(m_window, LanguageText(kTextSame), IUserPrompts::Icon::Information,
                              IUserPrompts::Buttons::Ok);
        return;
    }
    auto* window = new CDlgDifferences(differences, *m_document, other, LanguageText(kTextThisConfiguration),
                                       QFileInfo(path).fileName(), m_showSetting, m_window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}
