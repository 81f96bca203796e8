#include "certs/pfx_import.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/provider.h>

#include <memory>
#include <mutex>
#include <vector>

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

// ---- the work a file asks for --------------------------------------------------------------

bool IterationsWithinBound(const ASN1_INTEGER* iterations) {
    if (iterations == nullptr) {
        return true;  // absent: one round
    }
    uint64_t n = 0;
    // A negative or unreadable count is refused with the huge ones: nothing sane writes it.
    return ASN1_INTEGER_get_uint64(&n, iterations) == 1 && n <= kPkcs12MaxIterations;
}

template <class T>
struct Asn1Free;
template <>
struct Asn1Free<PBEPARAM> {
    void operator()(PBEPARAM* p) const { PBEPARAM_free(p); }
};
template <>
struct Asn1Free<PBE2PARAM> {
    void operator()(PBE2PARAM* p) const { PBE2PARAM_free(p); }
};
template <>
struct Asn1Free<PBKDF2PARAM> {
    void operator()(PBKDF2PARAM* p) const { PBKDF2PARAM_free(p); }
};
template <>
struct Asn1Free<SCRYPT_PARAMS> {
    void operator()(SCRYPT_PARAMS* p) const { SCRYPT_PARAMS_free(p); }
};
template <class T>
using Asn1Ptr = std::unique_ptr<T, Asn1Free<T>>;

template <class T>
Asn1Ptr<T> UnpackParameters(const ASN1_ITEM* item, const X509_ALGOR* algorithm) {
    const ASN1_OBJECT* oid = nullptr;
    int type = 0;
    const void* value = nullptr;
    X509_ALGOR_get0(&oid, &type, &value, algorithm);
    if (type != V_ASN1_SEQUENCE || value == nullptr) {
        return nullptr;
    }
    ASN1_TYPE wrapped{};
    wrapped.type = V_ASN1_SEQUENCE;
    wrapped.value.sequence = const_cast<ASN1_STRING*>(static_cast<const ASN1_STRING*>(value));
    return Asn1Ptr<T>(static_cast<T*>(ASN1_TYPE_unpack_sequence(item, &wrapped)));
}

// True when deriving a key for `algorithm` asks for no more than the bound. Parameters that
// cannot be read derive nothing (OpenSSL refuses them before any round), so they pass here.
bool DerivationWithinBound(const X509_ALGOR* algorithm) {
    if (algorithm == nullptr) {
        return true;
    }
    const ASN1_OBJECT* oid = nullptr;
    X509_ALGOR_get0(&oid, nullptr, nullptr, algorithm);
    if (OBJ_obj2nid(oid) != NID_pbes2) {
        // The PKCS #12 and PKCS #5 v1 schemes: salt and iteration count.
        auto pbe = UnpackParameters<PBEPARAM>(ASN1_ITEM_rptr(PBEPARAM), algorithm);
        return !pbe || IterationsWithinBound(pbe->iter);
    }
    auto pbe2 = UnpackParameters<PBE2PARAM>(ASN1_ITEM_rptr(PBE2PARAM), algorithm);
    if (!pbe2 || pbe2->keyfunc == nullptr) {
        return true;
    }
    X509_ALGOR_get0(&oid, nullptr, nullptr, pbe2->keyfunc);
    switch (OBJ_obj2nid(oid)) {
        case NID_id_pbkdf2: {
            auto kdf = UnpackParameters<PBKDF2PARAM>(ASN1_ITEM_rptr(PBKDF2PARAM), pbe2->keyfunc);
            return !kdf || IterationsWithinBound(kdf->iter);
        }
        case NID_id_scrypt: {
            auto kdf = UnpackParameters<SCRYPT_PARAMS>(ASN1_ITEM_rptr(SCRYPT_PARAMS), pbe2->keyfunc);
            if (!kdf) {
                return true;
            }
            // The work of scrypt grows with cost × block size × parallelism; the bound is the
            // strongest setting in common use (cost 2^20, block size 8, one lane).
            uint64_t cost = 0, block = 0, lanes = 0;
            if (ASN1_INTEGER_get_uint64(&cost, kdf->costParameter) != 1 ||
                ASN1_INTEGER_get_uint64(&block, kdf->blockSize) != 1 ||
                ASN1_INTEGER_get_uint64(&lanes, kdf->parallelizationParameter) != 1) {
                return false;
            }
            constexpr uint64_t kMaxScryptWork = (uint64_t{1} << 20) * 8;
            return cost <= kMaxScryptWork && block <= kMaxScryptWork && lanes <= kMaxScryptWork &&
                   cost * block <= kMaxScryptWork && cost * block * lanes <= kMaxScryptWork;
        }
        default:
            return true;
    }
}

struct AuthSafesFree {
    void operator()(STACK_OF(PKCS7) * p) const { sk_PKCS7_pop_free(p, PKCS7_free); }
};
struct BagsFree {
    void operator()(STACK_OF(PKCS12_SAFEBAG) * p) const {
        sk_PKCS12_SAFEBAG_pop_free(p, PKCS12_SAFEBAG_free);
    }
};
using BagsPtr = std::unique_ptr<STACK_OF(PKCS12_SAFEBAG), BagsFree>;

// What opening the contents with one password gives.
enum class Contents { kOpen, kWrongPassword, kTooCostly, kMalformed };

// A password as OpenSSL takes it: the absent password is a null pointer.
struct Pass {
    const char* text;
    int length;
};

// Walks the contents: every key derivation is checked against the bound before it runs.
// `decryptData` opens the encrypted parts with `pass` (a failure is a wrong password unless
// `lenient`, which skips the part: nothing inside it can then be derived either); `decryptKeys`
// also opens every shrouded private key, so that the walk proves the password.
class ContentsWalk {
  public:
    ContentsWalk(Pass pass, bool decryptData, bool decryptKeys, bool lenient)
        : m_pass(pass), m_decryptData(decryptData), m_decryptKeys(decryptKeys), m_lenient(lenient) {}

    Contents Run(PKCS12* p12) {
        std::unique_ptr<STACK_OF(PKCS7), AuthSafesFree> safes(PKCS12_unpack_authsafes(p12));
        if (!safes) {
            return Contents::kMalformed;
        }
        for (int i = 0; i < sk_PKCS7_num(safes.get()); ++i) {
            PKCS7* part = sk_PKCS7_value(safes.get(), i);
            const Contents c = Part(part);
            if (c != Contents::kOpen) {
                return c;
            }
        }
        return Contents::kOpen;
    }

  private:
    Contents Part(PKCS7* part) {
        switch (OBJ_obj2nid(part->type)) {
            case NID_pkcs7_data: {
                BagsPtr bags(PKCS12_unpack_p7data(part));
                return bags ? Bags(bags.get(), 0) : Contents::kMalformed;
            }
            case NID_pkcs7_encrypted: {
                if (part->d.encrypted == nullptr || part->d.encrypted->enc_data == nullptr) {
                    return Contents::kMalformed;
                }
                if (!DerivationWithinBound(part->d.encrypted->enc_data->algorithm)) {
                    return Contents::kTooCostly;
                }
                if (!m_decryptData) {
                    return Contents::kOpen;
                }
                BagsPtr bags(PKCS12_unpack_p7encdata(part, m_pass.text, m_pass.length));
                ERR_clear_error();
                if (!bags) {
                    return m_lenient ? Contents::kOpen : Contents::kWrongPassword;
                }
                return Bags(bags.get(), 0);
            }
            default:
                return Contents::kOpen;  // public-key privacy: no password derives anything
        }
    }

    Contents Bags(const STACK_OF(PKCS12_SAFEBAG) * bags, int depth) {
        // Nested bag lists are rare and shallow; a deep one is no file a tool wrote.
        constexpr int kMaxDepth = 8;
        if (depth > kMaxDepth) {
            return Contents::kMalformed;
        }
        for (int i = 0; i < sk_PKCS12_SAFEBAG_num(bags); ++i) {
            const PKCS12_SAFEBAG* bag = sk_PKCS12_SAFEBAG_value(bags, i);
            switch (PKCS12_SAFEBAG_get_nid(bag)) {
                case NID_pkcs8ShroudedKeyBag: {
                    const X509_SIG* key = PKCS12_SAFEBAG_get0_pkcs8(bag);
                    const X509_ALGOR* algorithm = nullptr;
                    if (key == nullptr) {
                        return Contents::kMalformed;
                    }
                    X509_SIG_get0(key, &algorithm, nullptr);
                    if (!DerivationWithinBound(algorithm)) {
                        return Contents::kTooCostly;
                    }
                    if (m_decryptKeys) {
                        PKCS8_PRIV_KEY_INFO* info = PKCS8_decrypt(key, m_pass.text, m_pass.length);
                        ERR_clear_error();
                        if (info == nullptr) {
                            return Contents::kWrongPassword;
                        }
                        PKCS8_PRIV_KEY_INFO_free(info);
                    }
                    break;
                }
                case NID_safeContentsBag: {
                    const Contents c = Bags(PKCS12_SAFEBAG_get0_safes(bag), depth + 1);
                    if (c != Contents::kOpen) {
                        return c;
                    }
                    break;
                }
                default:
                    break;
            }
        }
        return Contents::kOpen;
    }

    Pass m_pass;
    bool m_decryptData;
    bool m_decryptKeys;
    bool m_lenient;
};

// The passwords OpenSSL must try for `password`: the empty one is either absent or empty.
std::vector<Pass> Passes(const std::string& utf8) {
    if (utf8.empty()) {
        return {{nullptr, 0}, {"", 0}};
    }
    return {{utf8.c_str(), static_cast<int>(utf8.size())}};
}

Pkcs12Verdict CheckPkcs12(PKCS12* p12, std::u16string_view password) {
    // Before any derivation: the MAC's rounds and those of every part readable without the
    // password.
    if (PKCS12_mac_present(p12)) {
        const ASN1_INTEGER* iterations = nullptr;
        PKCS12_get0_mac(nullptr, nullptr, nullptr, &iterations, p12);
        if (!IterationsWithinBound(iterations)) {
            return Pkcs12Verdict::kTooCostly;
        }
    }
    const Contents outer = ContentsWalk({nullptr, 0}, false, false, false).Run(p12);
    if (outer == Contents::kTooCostly) {
        return Pkcs12Verdict::kTooCostly;
    }
    if (outer == Contents::kMalformed) {
        return Pkcs12Verdict::kMalformed;
    }
    const std::string utf8 = Utf16ToUtf8(password);
    if (PKCS12_mac_present(p12)) {
        if (!VerifyMac(p12, password)) {
            return Pkcs12Verdict::kWrongPassword;
        }
        // The parts inside the encrypted data, whose rounds only show once it is open.
        for (const Pass& pass : Passes(utf8)) {
            if (ContentsWalk(pass, true, false, true).Run(p12) == Contents::kTooCostly) {
                return Pkcs12Verdict::kTooCostly;
            }
        }
        return Pkcs12Verdict::kOpens;
    }
    // Without a MAC nothing vouches for the password but the contents themselves: it is right
    // when every encrypted part and every private key opens with it.
    Contents last = Contents::kWrongPassword;
    for (const Pass& pass : Passes(utf8)) {
        last = ContentsWalk(pass, true, true, false).Run(p12);
        if (last == Contents::kOpen) {
            return Pkcs12Verdict::kOpens;
        }
        if (last == Contents::kTooCostly) {
            return Pkcs12Verdict::kTooCostly;
        }
    }
    return last == Contents::kMalformed ? Pkcs12Verdict::kMalformed : Pkcs12Verdict::kWrongPassword;
}

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
    return CheckPkcs12Bytes(bytes, password) == Pkcs12Verdict::kOpens;
}

Pkcs12Verdict CheckPkcs12Bytes(std::string_view bytes, std::u16string_view password) {
    LoadCertificateProviders();
    Pkcs12Ptr p12 = ParsePkcs12(bytes);
    return p12 ? CheckPkcs12(p12.get(), password) : Pkcs12Verdict::kMalformed;
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
    Pkcs12Verdict verdict = CheckPkcs12(p12.get(), u"");
    if (verdict == Pkcs12Verdict::kWrongPassword) {
        if (!prompt || !prompt(used)) {
            return kErrCancelled;
        }
        verdict = CheckPkcs12(p12.get(), used);
    }
    switch (verdict) {
        case Pkcs12Verdict::kOpens:
            break;
        case Pkcs12Verdict::kWrongPassword:
            return kErrInvalidPassword;
        case Pkcs12Verdict::kTooCostly:
            return kErrPkcs12TooCostly;
        case Pkcs12Verdict::kMalformed:
            return kErrInvalidParameter;
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
