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
    // Both values go in or neither does: a refusal of either leaves the slot, and the document's
    // modified flag, as they were.
    const std::u16string oldCert = doc.Get(kCert, slot);
    const bool wasModified = doc.IsModified();
    if (!doc.Set(kCert, slot, text)) {
        return kErrInvalidData;
    }
    if (!doc.Set(kPassword, slot, password)) {
        doc.Set(kCert, slot, oldCert);
        doc.SetModifiedFlag(wasModified);
        return kErrInvalidData;
    }
    return kErrSuccess;
}

bool DeleteSlotCertificate(CTalveroDoc& doc, unsigned slot) {
    const bool had = !doc.Get(kCert, slot).empty() || !doc.Get(kPassword, slot).empty();
    // The empty text is always taken.
    doc.Set(kCert, slot, u"");
    doc.Set(kPassword, slot, u"");
    return had;
}

bool SetSlotCertificateFormat(CTalveroDoc& doc, unsigned slot, std::u16string_view format) {
    // The format's setter empties the slot when the format really changes.
    return doc.Set(kFormat, slot, format);
}

uint32_t CertImportMessageId(uint32_t code) {
    switch (code) {
        case kErrSuccess:
        case kErrCancelled:
            return 0;
        case kErrInvalidPassword:
            return kTextIdCertWrongPassword;
        case kErrPkcs12TooCostly:
            return kTextIdCertTooCostly;
        default:
            return kTextIdCertImportFailed;
    }
}
