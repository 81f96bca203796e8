#include "certs/cert_slot.h"

#include "certs/pem_import.h"
#include "document/talvero_doc.h"
#include "platform/error_codes.h"

namespace {

constexpr std::u16string_view kFormat = u"eap_cert_format";
constexpr std::u16string_view kCert = u"eap_cert_cert";
constexpr std::u16string_view kPassword = u"eap_cert_passwd";

}  // namespace

bool IsAcceptableCertPassword(std::u16string_view password) {
    if (password.empty() || password.size() > kCertPasswordMaxLength) {
        return false;
    }
    for (char16_t c : password) {
        if (c < u' ' || c > u'~') {
            return false;
        }
    }
    return true;
}

bool IsPemFormat(std::u16string_view format) {
    return format == u"pem";
}

uint32_t ImportCertificateIntoSlot(CTalveroDoc& doc, unsigned slot, const std::string& path,
                                   const CertPasswordPrompt& prompt) {
    std::u16string text, password;
    const uint32_t code = IsPemFormat(doc.Get(kFormat, slot))
                              ? ImportPemCertificate(path, text)
                              : ImportPfxCertificate(path, prompt, text, password);
    if (code != kErrSuccess) {
        return code;
    }
    // Both settings accept any text; an equal value is accepted without marking the document.
    doc.Set(kCert, slot, text);
    doc.Set(kPassword, slot, password);
    return kErrSuccess;
}

bool DeleteSlotCertificate(CTalveroDoc& doc, unsigned slot) {
    const bool had = !doc.Get(kCert, slot).empty() || !doc.Get(kPassword, slot).empty();
    doc.Set(kCert, slot, u"");
    doc.Set(kPassword, slot, u"");
    return had;
}

bool SetSlotCertificateFormat(CTalveroDoc& doc, unsigned slot, std::u16string_view format) {
    const std::u16string before = doc.Get(kFormat, slot);
    if (!doc.Set(kFormat, slot, format)) {
        return false;
    }
    if (doc.Get(kFormat, slot) != before) {
        DeleteSlotCertificate(doc, slot);
    }
    return true;
}

uint32_t CertImportMessageId(uint32_t code) {
    switch (code) {
        case kErrSuccess:
        case kErrCancelled:
            return 0;
        case kErrInvalidPassword:
            return kTextIdCertWrongPassword;
        default:
            return kTextIdCertImportFailed;
    }
}
