#include "gui/shell/talvero_app.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "document/talvero_doc.h"
#include "gui/shell/command_table.h"
#include "gui/shell/help_window.h"
#include "gui/shell/main_frame.h"
#include "gui/shell/program_icon.h"
#include "gui/shell/user_prompts.h"
#include "platform/error_codes.h"
#include "platform/language_id.h"
#include "platform/program_path.h"
#include "text/language_file.h"

void LoadProgramLanguageFiles() {
    // The table may still be empty here, so the message is the system's text, not a language text.
    SelectLanguageFiles(
        ProgramFilePath(), SystemDefaultLanguageId(), [](uint32_t code, const std::string& path) {
            const QString text =
                QString::fromStdString(DescribeCode(code)) + "\n\n" + QString::fromStdString(path);
            UserPrompts().Message(nullptr, text, IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
        });
}

void InstallQtTranslations() {
    // Message boxes and file dialogs take their buttons ("Yes", "No", "Cancel"…) from Qt's own
    // translations, not from the language files: they follow the system language, as the
    // system's own dialogs would. Without a translation for it they stay in English.
    const std::string name = LocaleNameOfLanguageId(SystemDefaultLanguageId());
    if (name.empty()) {
        return;
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QString::fromStdString(name)), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

CTalveroApp::CTalveroApp() = default;

CTalveroApp::~CTalveroApp() {
    m_frame.reset();  // the frame writes its settings and leaves the document's observers first
    m_document.reset();
}

bool CTalveroApp::InitInstance(const QStringList& arguments, bool show) {
    LoadProgramLanguageFiles();
    InstallQtTranslations();
    QCoreApplication::setOrganizationName(QString::fromUtf8(kOrganisation));
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(ProgramIcon());

    m_document = std::make_unique<CTalveroDoc>();
    m_frame = std::make_unique<CMainFrame>(m_document.get());
    if (!m_frame->Create()) {
        return false;
    }
    QString file;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(u'-')) {
            file = arguments[i];
            break;
        }
    }
    if (file.isEmpty()) {
        m_document->OnNewDocument();
        m_document->UpdateAllViews(0);
    } else if (!m_frame->OpenDocumentFile(file)) {
        return false;
    }
    m_frame->UpdateCommandStates();
    if (show) {
        m_frame->resize(900, 640);
        m_frame->show();
    }
    return true;
}
