#include "gui/shell/id_list_controller.h"

#include <QFile>

#include "document/talvero_doc.h"
#include "gui/shell/command_table.h"
#include "gui/shell/user_prompts.h"
#include "idlist/csv_reader.h"
#include "idlist/id_list_export.h"
#include "idlist/id_list_import.h"
#include "text/language_texts.h"

namespace {
constexpr uint32_t kCsvFilterId = 2110;
constexpr uint32_t kReadFailedId = 2111;
constexpr uint32_t kWriteFailedId = 2112;

QString Text(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}
}  // namespace

void CIdListController::RegisterCommands(CommandRouter& router) {
    router.Add(ID_IDLIST_IMPORT, [this] { OnIdListImport(); });
    router.Add(ID_IDLIST_EXPORT, [this] { OnIdListExport(); });
}

void CIdListController::OnIdListImport() {
    if (!m_document) {
        return;
    }
    IdListImportResult result;
    const QString path = UserPrompts().OpenFileFor(m_window, file_purpose::kImportIdList, Text(kCsvFilterId),
                                                   QStringLiteral("csv"));
    if (!path.isEmpty()) {
        std::u16string text;
        if (ReadCsvText(QFile::encodeName(path).toStdString(), text) != kErrSuccess) {
            UserPrompts().Message(m_window, Text(kReadFailedId), IUserPrompts::Icon::Stop,
                                  IUserPrompts::Buttons::Ok);
        } else {
            result = ApplyIdListCsv(*m_document, text);
            if (!result.refusal.empty()) {
                UserPrompts().Message(m_window, QString::fromStdU16String(result.refusal),
                                      IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
            }
        }
    }
    // Every way out refreshes the pages; the warning lines, if any, are shown by the update.
    m_document->UpdateAllViews(kHintLoaded, &result.warnings);
    if (result.taken > 0) {
        UserPrompts().Message(m_window, QString::fromStdU16String(result.Summary()),
                              IUserPrompts::Icon::Information, IUserPrompts::Buttons::Ok);
    }
}

void CIdListController::OnIdListExport() {
    if (!m_document) {
        return;
    }
    const QString path = UserPrompts().SaveFileFor(m_window, file_purpose::kExportIdList, Text(kCsvFilterId),
                                                   QStringLiteral("csv"), QString());
    if (path.isEmpty()) {
        return;
    }
    const ErrorInfo error = ExportIdList(*m_document, QFile::encodeName(path).toStdString());
    if (!error.ok()) {
        // A list that was not written must not look exported.
        const std::u16string message = FormatLanguageText(
            kWriteFailedId,
            {path.toStdU16String(), std::u16string(error.detail.begin(), error.detail.end())});
        UserPrompts().Message(m_window, QString::fromStdU16String(message), IUserPrompts::Icon::Stop,
                              IUserPrompts::Buttons::Ok);
    }
}
