#pragma once
// The certificate slots of a configuration: importing a file into a slot, deleting a slot's
// certificate and choosing its format. The program's certificate page and talvero-cli both work
// through these, so a slot ends up the same whichever front end filled it.
// Slots are numbered 0–3 here, as the document's family index; users see 1–4.
#include <cstdint>
#include <string>
#include <string_view>

#include "certs/pfx_import.h"

class CTalveroDoc;

// Text IDs of the certificate slots' messages and choices.
enum : uint32_t {
    kTextIdCertPasswordCaption = 10220,
    kTextIdCertPasswordLabel = 10221,
    kTextIdCertImport = 10253,
    kTextIdCertDelete = 10254,
    kTextIdCertEmpty = 10255,
    kTextIdCertStored = 10256,
    kTextIdCertPemFilter = 10257,
    kTextIdCertPfxFilter = 10258,
    kTextIdCertImportFailed = 10259,
    kTextIdCertWrongPassword = 10260,
    kTextIdCertTooCostly = 10264,
};

// The longest PKCS #12 password the slot keeps (it is stored scrambled with this capacity).
inline constexpr size_t kCertPasswordMaxLength = 63;

// A password the slot can keep: 1–63 printable ASCII characters (space to tilde).
bool IsAcceptableCertPassword(std::u16string_view password);

// True for the "pem" format; every other value is taken as PKCS #12, as the page offers only the two.
bool IsPemFormat(std::u16string_view format);

// Imports `path` in the slot's format. On success the slot's certificate becomes the imported text
// and its password the file's password ("pem": empty); each changes, and marks the document
// modified, only when it differs. On failure the slot is unchanged. Returns the import's code, or
// 13 when the document refuses the certificate or the password (then neither is stored).
uint32_t ImportCertificateIntoSlot(CTalveroDoc& doc, unsigned slot, const std::string& path,
                                   const CertPasswordPrompt& prompt);

// Empties the slot's certificate and password. Returns true when anything changed; an empty slot
// stays as it is and the document is not marked modified.
bool DeleteSlotCertificate(CTalveroDoc& doc, unsigned slot);

// Stores a new format ("pem" or "p12"); the format's setter then empties the slot's certificate
// and password when the format really changed, as it does for every other path that sets it
// (`talvero-cli set`, a fleet row): a certificate of the other format is no use to the radio.
// Choosing the format the slot already has keeps its certificate. False when the setter refuses.
bool SetSlotCertificateFormat(CTalveroDoc& doc, unsigned slot, std::u16string_view format);

// The message for an import's result: 0 for none (success, or a cancelled password prompt),
// kTextIdCertWrongPassword for 86, kTextIdCertTooCostly for kErrPkcs12TooCostly, otherwise
// kTextIdCertImportFailed.
uint32_t CertImportMessageId(uint32_t code);
