#include "gui/pages/list_view_cert.h"

#include <QFile>

#include "certs/cert_slot.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "gui/dialogs/dlg_cert_password.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"
#include "gui/shell/user_prompts.h"

using namespace page_style;

namespace {

constexpr uint32_t kTitle = 10003, kLabelCert = 10250, kLabelName = 10252, kLabelFormat = 10261;
constexpr uint32_t kTextP12 = 10262, kTextPem = 10263;
constexpr int kNameMaxChars = 31;
constexpr uint32_t kTextValueRefused = 2175;
const QString kDefault = QStringLiteral("default");

QString Q(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

}  // namespace

CListViewCert::CListViewCert(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    InsertPageColumns(PageText(kTitle), {200, 400});
    for (int row = 0; row < kRows; ++row) {
        InsertItem(row, QString());
    }
    for (unsigned slot = 0; slot < kCertSlots; ++slot) {
        AddSectionRow(4 * static_cast<int>(slot), 2, QString::number(slot + 1));
        const struct {
            int row;
            uint32_t label;
            const char* help;
        } rows[] = {{FormatRow(slot), kLabelFormat, "eap_cert_format.htm"},
                    {NameRow(slot), kLabelName, "eap_cert_cli_name.htm"},
                    {CertRow(slot), kLabelCert, "eap_cert_cli_cert.htm"}};
        for (const auto& r : rows) {
            AddLabelCell(r.row, 0, PageText(r.label));
            SetInputCell(r.row, 1, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                         kDisabledBorder);
            SetHelpPage(r.row, QString::fromLatin1(r.help));
        }
    }
    AddValueText(QStringLiteral("p12"), PageText(kTextP12), kDefault);
    AddValueText(QStringLiteral("pem"), PageText(kTextPem), kDefault);
}

void CListViewCert::ShowSlot(unsigned slot) {
    const CTalveroDoc& doc = Doc();
    ShowInputCell(FormatRow(slot), 1, true, ValueToText(Q(doc.Get(u"eap_cert_format", slot)), kDefault));
    ShowInputCell(NameRow(slot), 1, true, Q(doc.Get(u"eap_cert_name", slot)));
    ShowInputCell(CertRow(slot), 1, true,
                  PageText(doc.Get(u"eap_cert_cert", slot).empty() ? kTextIdCertEmpty : kTextIdCertStored));
}

void CListViewCert::RefreshFromDocument() {
    for (unsigned slot = 0; slot < kCertSlots; ++slot) {
        ShowSlot(slot);
    }
}

void CListViewCert::OnDocumentUpdate(int hint) {
    if (hint == 0 || hint == kHintLoaded) {
        RefreshFromDocument();
    }
}

QWidget* CListViewCert::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                         const QString& text) {
    if (column != 1 || row < 0 || row >= kRows || row % 4 == 0) {
        return nullptr;
    }
    const unsigned slot = static_cast<unsigned>(row / 4);
    if (row == FormatRow(slot)) {
        return new KGridListCtrlCombo(this, row, column, left, top, right, bottom,
                                      {PageText(kTextP12), PageText(kTextPem)}, text);
    }
    if (row == NameRow(slot)) {
        TextRowRule rule;
        rule.maxChars = kNameMaxChars;
        rule.allowedChars = PrintableAsciiChars();
        rule.asciiOnly = true;
        auto* edit = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, text);
        ConfigureEdit(*edit, rule);
        return edit;
    }
    QStringList choices{PageText(kTextIdCertImport)};
    if (!Doc().Get(u"eap_cert_cert", slot).empty()) {
        choices << PageText(kTextIdCertDelete);
    }
    return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, choices, text);
}

void CListViewCert::OnEndCellEdit(KEndEditRecord& record) {
    if (record.column != 1 || record.row < 0 || record.row >= kRows || record.row % 4 == 0) {
        return;
    }
    const unsigned slot = static_cast<unsigned>(record.row / 4);
    if (record.row == FormatRow(slot)) {
        // Only a listed item is a choice: none chosen stores nothing.
        QString value;
        if (FindTextValue(record.text, kDefault, &value) &&
            !SetSlotCertificateFormat(Doc(), slot, value.toStdU16String())) {
            ShowError(PageText(kTextValueRefused));
        }
    } else if (record.row == NameRow(slot)) {
        if (!Doc().Set(u"eap_cert_name", slot, record.text.toStdU16String())) {
            ShowError(PageText(kTextValueRefused));
        }
    } else {
        CertificateAction(slot, record.text);
    }
    ShowSlot(slot);
}

void CListViewCert::CertificateAction(unsigned slot, const QString& choice) {
    if (choice == PageText(kTextIdCertDelete)) {
        DeleteSlotCertificate(Doc(), slot);
        return;
    }
    if (choice != PageText(kTextIdCertImport)) {
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
