#pragma once
// Import of a PKCS #12 certificate file: the whole file as one line of standard Base64, and the
// password that opens it, as the certificate slot stores them for the "p12" format.
// OpenSSL does the PKCS #12 work; its legacy provider is loaded so that files protected with the
// old algorithms (RC2-40, 3DES) still open.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The most rounds one key derivation of a file may ask for. Tools write far fewer: 2,000
// (Windows), 2,048 (OpenSSL), 10,000 (Java; 100,000 for the MAC in some releases) and 600,000
// (Bouncy Castle, after the current advice for PBKDF2), while the format allows 2^31, about 17
// minutes of work per password tried here. At the bound one derivation takes a fifth of a second of
// processor time, and an import runs only a few.
inline constexpr uint64_t kPkcs12MaxIterations = 1'000'000;

// The import's code for a file that asks for more than kPkcs12MaxIterations rounds
// (ERROR_NOT_SUPPORTED).
inline constexpr uint32_t kErrPkcs12TooCostly = 50;

// Asks the user for the file's password. Returns false when the user cancelled.
using CertPasswordPrompt = std::function<bool(std::u16string& password)>;

// True when the bytes parse as a PKCS #12 structure (DER and PEM certificates do not).
bool IsPkcs12(std::string_view bytes);

// What opening a PKCS #12 file with a password gives.
enum class Pkcs12Verdict {
    kOpens,
    kWrongPassword,
    kTooCostly,  // a key derivation would take more than kPkcs12MaxIterations rounds
    kMalformed,  // not PKCS #12, or contents that cannot be read
};

// Checks `password` against the file: with a MAC, the MAC; without one, every encrypted part and
// private key must open with it (a file with nothing encrypted opens with any password). For the
// empty password both the absent and the empty password are tried, as they derive different keys
// and either may have made the file. The rounds of every derivation are checked before it runs,
// so no file can keep the caller busy for long.
Pkcs12Verdict CheckPkcs12Bytes(std::string_view bytes, std::u16string_view password);
// CheckPkcs12Bytes gives kOpens.
bool VerifyPkcs12Password(std::string_view bytes, std::u16string_view password);

// Standard Base64 (RFC 4648, "=" padding), one line. For certificate-sized input (well below 1 GiB).
std::u16string Base64Encode(std::string_view bytes);

// The import over a file's bytes: 87 when they are not PKCS #12; kErrPkcs12TooCostly for a file
// asking for too many rounds (nothing is derived then); no prompt when the empty password opens
// the file (password then empty); otherwise one prompt: cancelled gives 1223, a password that
// fails gives 86 (there is no second attempt). 0 with text and password set.
uint32_t Pkcs12TextFromBytes(std::string_view bytes, const CertPasswordPrompt& prompt, std::u16string& text,
                             std::u16string& password);

// ReadCertificateFile, then Pkcs12TextFromBytes.
uint32_t ImportPfxCertificate(const std::string& path, const CertPasswordPrompt& prompt, std::u16string& text,
                              std::u16string& password);

// Loads OpenSSL's legacy and default providers once per process.
void LoadCertificateProviders();
