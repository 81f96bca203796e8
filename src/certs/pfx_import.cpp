#include "certs/pfx_import.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>

#include <memory>
#include <mutex>

#include "certs/cert_file.h"
#include "platform/unicode.h"

namespace {

struct Pkcs12Free {
    void operator()(PKCS12* p) const { PKCS12_free(p); }
};
using Pkcs12Ptr = std::unique_ptr<PKCS12, Pkcs12Free>;

Pkcs12Ptr ParsePkcs12(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) {
        return nullptr;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    Pkcs12Ptr p12(d2i_PKCS12(nullptr, &p, static_cast<long>(bytes.size())));
    // Failures leave entries on the thread's error queue; nobody reads them.
    ERR_clear_error();
    return p12;
}

bool VerifyMac(PKCS12* p12, std::u16string_view password) {
    if (!PKCS12_mac_present(p12)) {
        return false;
    }
    bool ok;
    if (password.empty()) {
        ok = PKCS12_verify_mac(p12, nullptr, 0) == 1 || PKCS12_verify_mac(p12, "", 0) == 1;
    } else {
        const std::string utf8 = Utf16ToUtf8(password);
        ok = PKCS12_verify_mac(p12, utf8.c_str(), static_cast<int>(utf8.size())) == 1;
    }
    ERR_clear_error();
    return ok;
}

}  // namespace

namespace {

// Loading one provider by hand ends the implicit default one, so both are loaded. Without the
// legacy module only the legacy files fail to open. They are unloaded when the program ends,
// before OpenSSL's own clean-up, which was set up when the first of them loaded.
struct CertificateProviders {
    CertificateProviders()
        : legacy(OSSL_PROVIDER_load(nullptr, "legacy")), base(OSSL_PROVIDER_load(nullptr, "default")) {
        ERR_clear_error();
    }
    ~CertificateProviders() {
        if (base != nullptr) {
            OSSL_PROVIDER_unload(base);
        }
        if (legacy != nullptr) {
            OSSL_PROVIDER_unload(legacy);
        }
    }
    CertificateProviders(const CertificateProviders&) = delete;
    CertificateProviders& operator=(const CertificateProviders&) = delete;
    OSSL_PROVIDER* legacy;
    OSSL_PROVIDER* base;
};

}  // namespace

void LoadCertificateProviders() {
    static const CertificateProviders providers;
}

bool IsPkcs12(std::string_view bytes) {
    LoadCertificateProviders();
    return ParsePkcs12(bytes) != nullptr;
}

bool VerifyPkcs12Password(std::string_view bytes, std::u16string_view password) {
    LoadCertificateProviders();
    Pkcs12Ptr p12 = ParsePkcs12(bytes);
    return p12 && VerifyMac(p12.get(), password);
}

std::u16string Base64Encode(std::string_view bytes) {
    // EVP_EncodeBlock writes one line with "=" padding and a terminating NUL; files are at most
    // kCertMaxBytes long, far from its int limit.
    std::string out(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int n =
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    return std::u16string(out.begin(), out.begin() + n);
}

uint32_t Pkcs12TextFromBytes(std::string_view bytes, const CertPasswordPrompt& prompt, std::u16string& text,
                             std::u16string& password) {
    text.clear();
    password.clear();
    LoadCertificateProviders();
    Pkcs12Ptr p12 = ParsePkcs12(bytes);
    if (!p12) {
        return kErrInvalidParameter;
    }
    std::u16string used;
    if (!VerifyMac(p12.get(), u"")) {
        if (!prompt || !prompt(used)) {
            return kErrCancelled;
        }
        if (!VerifyMac(p12.get(), used)) {
            return kErrInvalidPassword;
        }
    }
    text = Base64Encode(bytes);
    password = std::move(used);
    return kErrSuccess;
}

uint32_t ImportPfxCertificate(const std::string& path, const CertPasswordPrompt& prompt, std::u16string& text,
                              std::u16string& password) {
    text.clear();
    password.clear();
    std::string bytes;
    const uint32_t code = ReadCertificateFile(path, bytes);
    if (code != kErrSuccess) {
        return code;
    }
    return Pkcs12TextFromBytes(bytes, prompt, text, password);
}
