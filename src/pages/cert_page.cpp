#include "pages/cert_page.h"

#include "certs/cert_slot.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTitle = 10003, kLabelCert = 10250, kLabelName = 10252, kLabelFormat = 10261;
constexpr uint32_t kTextP12 = 10262, kTextPem = 10263;
constexpr int kNameMaxChars = 31;
constexpr int kLabelWidth = 200;

std::vector<PageChoice> CertificateActions(const CTalveroDoc& doc, unsigned slot) {
    std::vector<PageChoice> actions = {{cert_page::kImport, kTextIdCertImport}};
    if (!doc.Get(u"eap_cert_cert", slot).empty()) {
        actions.push_back({cert_page::kDelete, kTextIdCertDelete});
    }
    return actions;
}

}  // namespace

PageDeclaration CertPage() {
    std::vector<PageRow> rows;
    for (unsigned slot = 0; slot < kCertSlots; ++slot) {
        auto member = [slot](PageRow row) {
            row.member = slot;
            return row;
        };
        // The section shows the slot's number only.
        rows.push_back(member(SectionRow(0)));
        PageRow format =
            ChoiceRow(kLabelFormat, u"eap_cert_format", {}, {{u"p12", kTextP12}, {u"pem", kTextPem}});
        format.store = [](CTalveroDoc& doc, unsigned index, const std::u16string& value) {
            return SetSlotCertificateFormat(doc, index, value);
        };
        format.refreshPageOnCommit = true;
        rows.push_back(member(std::move(format)));
        PageRow name = TextRow(kLabelName, u"eap_cert_name", "eap_cert_cli_name.htm");
        name.adjust = [](TextRowRule& rule) {
            rule = TextRowRule{};
            rule.maxChars = kNameMaxChars;
            rule.allowedChars = PrintableAsciiChars();
            rule.asciiOnly = true;
        };
        rows.push_back(member(std::move(name)));
        // Imported or deleted by the page's actions; never stored as a typed or chosen value.
        PageRow cert = DocumentChoiceRow(
            kLabelCert, u"eap_cert_cert", "eap_cert_cli_cert.htm",
            [slot](const CTalveroDoc& doc) { return CertificateActions(doc, slot); },
            [](const CTalveroDoc&, const std::u16string& value) {
                return GetLanguageText(value.empty() ? kTextIdCertEmpty : kTextIdCertStored);
            });
        cert.readOnly = true;
        rows.push_back(member(std::move(cert)));
    }
    PageDeclaration page = RowsPage(cert_page::kNodeId, kTitle, std::move(rows));
    page.labelWidth = kLabelWidth;
    return page;
}
