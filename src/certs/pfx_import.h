#pragma once
// Import of a PKCS #12 certificate file: the whole file as one line of standard Base64, and the
// password that opens it, as the certificate slot stores them for the "p12" format.
// OpenSSL does the PKCS #12 work; its legacy provider is loaded so that files protected with the
// old algorithms (RC2-40, 3DES) still open.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Asks the user for the file's password. Returns false when the user cancelled.
using CertPasswordPrompt = std::function<bool(std::u16string& password)>;

// True when the bytes parse as a PKCS #12 structure (DER and PEM certificates do not).
bool IsPkcs12(std::string_view bytes);

// True when the file's MAC checks with `password`. For the empty password both the absent and the
// empty password are tried, as they give different MACs and either may have made the file. A file
// without a MAC passes no check.
bool VerifyPkcs12Password(std::string_view bytes, std::u16string_view password);

// Standard Base64 (RFC 4648, "=" padding), one line. For certificate-sized input (well below 1 GiB).
std::u16string Base64Encode(std::string_view bytes);

// The import over a file's bytes: 87 when they are not PKCS #12; no prompt when the empty
// password opens the file (password then empty); otherwise one prompt: cancelled gives 1223, a
// password that fails gives 86 (there is no second attempt). 0 with text and password set.
uint32_t Pkcs12TextFromBytes(std::string_view bytes, const CertPasswordPrompt& prompt, std::u16string& text,
                             std::u16string& password);

// ReadCertificateFile, then Pkcs12TextFromBytes.
uint32_t ImportPfxCertificate(const std::string& path, const CertPasswordPrompt& prompt, std::u16string& text,
                              std::u16string& password);

// Loads OpenSSL's legacy and default providers once per process.
void LoadCertificateProviders();
