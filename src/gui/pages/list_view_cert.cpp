#include "gui/pages/list_view_cert.h"

#include <QFile>

#include "certs/cert_slot.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_cert_password.h"
#include "gui/pages/page_text.h"
#include "gui/shell/user_prompts.h"
#include "pages/page_declaration.h"

namespace {
const QString kChoiceTable = QStringLiteral("combobox_temp");
}  // namespace

CListViewCert::CListViewCert(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(cert_page::kNodeId));
    static_assert(kRows == cert_page::SectionRow(kCertSlots));
    for (unsigned slot = 0; slot < kCertSlots; ++slot) {
        AddSectionRow(cert_page::SectionRow(slot), 2, QString::number(slot + 1));
    }
}

void CListViewCert::OnDocumentUpdate(int hint) {
    if (hint == 0 || hint == kHintLoaded) {
        RefreshFromDocument();
    }
}

void CListViewCert::OnEndCellEdit(KEndEditRecord& record) {
    if (record.column == 1 && record.row >= 0 && record.row < kRows &&
        record.row % cert_page::kRowsPerSlot == cert_page::CertRow(0)) {
        const unsigned slot = static_cast<unsigned>(record.row / cert_page::kRowsPerSlot);
        CertificateAction(slot, record.text);
        // An import or a deletion may change more of the slot than its certificate row.
        RefreshFromDocument();
        return;
    }
    CListViewBase::OnEndCellEdit(record);
}

void CListViewCert::CertificateAction(unsigned slot, const QString& choice) {
    QString action;
    if (!FindTextValue(choice, kChoiceTable, &action)) {
        return;
    }
    if (action == QString::fromUtf16(cert_page::kDelete)) {
        DeleteSlotCertificate(Doc(), slot);
        return;
    }
    const bool pem = IsPemFormat(Doc().Get(u"eap_cert_format", slot));
    const QString path = UserPrompts().OpenFileName(
        this, PageText(pem ? kTextIdCertPemFilter : kTextIdCertPfxFilter), QString());
    if (path.isEmpty()) {
        return;
    }
    const uint32_t code = ImportCertificateIntoSlot(
        Doc(), slot, QFile::encodeName(path).toStdString(),
        [this](std::u16string& password) { return AskCertPassword(this, password); });
    if (const uint32_t message = CertImportMessageId(code)) {
        ShowError(PageText(message));
    }
}

TALVERO_REGISTER_PAGE(1038, CListViewCert);
