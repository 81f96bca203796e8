#include "certs/cert_summary.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <ctime>
#include <memory>
#include <vector>

#include "certs/pem_import.h"
#include "certs/pfx_import.h"
#include "platform/unicode.h"

namespace {

struct X509Free {
    void operator()(X509* x) const { X509_free(x); }
};
using X509Ptr = std::unique_ptr<X509, X509Free>;

// Standard Base64, blanks ignored. False (out empty) on anything else.
bool DecodeBase64(std::string_view text, std::string& out) {
    out.clear();
    std::string clean;
    for (char c : text) {
        if (c != ' ') {
            clean.push_back(c);
        }
    }
    if (clean.empty() || clean.size() % 4 != 0 || clean.size() > static_cast<size_t>(INT32_MAX / 2)) {
        return false;
    }
    out.resize(clean.size() / 4 * 3 + 1);
    const int n =
        EVP_DecodeBlock(reinterpret_cast<unsigned char*>(out.data()),
                        reinterpret_cast<const unsigned char*>(clean.data()), static_cast<int>(clean.size()));
    if (n < 0) {
        out.clear();
        return false;
    }
    // EVP_DecodeBlock counts the padding as zero bytes.
    size_t len = static_cast<size_t>(n);
    for (size_t i = clean.size(); i > 0 && clean[i - 1] == '=' && len > 0; --i) {
        --len;
    }
    out.resize(len);
    return true;
}

std::string NameLine(const X509_NAME* name) {
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), BIO_free);
    if (!bio || X509_NAME_print_ex(bio.get(), name, 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB) < 0) {
        return {};
    }
    char* data = nullptr;
    const long n = BIO_get_mem_data(bio.get(), &data);
    return n > 0 ? std::string(data, static_cast<size_t>(n)) : std::string();
}

void Describe(X509* cert, CertSummary& s) {
    s.subject = NameLine(X509_get_subject_name(cert));
    struct tm t {};
    if (ASN1_TIME_to_tm(X509_get0_notAfter(cert), &t) == 1) {
        char buf[16];
        std::strftime(buf, sizeof buf, "%Y-%m-%d", &t);
        s.notAfter = buf;
    }
    s.readable = true;
}

void SummarisePem(const std::string& text, CertSummary& s) {
    size_t at = 0;
    for (;;) {
        const size_t begin = text.find(kPemBeginLine, at);
        if (begin == std::string::npos) {
            break;
        }
        const size_t body = begin + kPemBeginLine.size();
        const size_t end = text.find(kPemEndLine, body);
        if (end == std::string::npos) {
            break;
        }
        at = end + kPemEndLine.size();
        std::string der;
        if (!DecodeBase64(std::string_view(text).substr(body, end - body), der)) {
            continue;
        }
        const auto* p = reinterpret_cast<const unsigned char*>(der.data());
        X509Ptr cert(d2i_X509(nullptr, &p, static_cast<long>(der.size())));
        if (!cert) {
            continue;
        }
        if (++s.count == 1) {
            Describe(cert.get(), s);
        }
    }
}

// The certificate bags of a file without a MAC, the first one described; false when a part
// does not open with `pass`.
bool SummariseContents(PKCS12* p12, const char* pass, CertSummary& s) {
    std::unique_ptr<STACK_OF(PKCS7), void (*)(STACK_OF(PKCS7)*)> safes(
        PKCS12_unpack_authsafes(p12), [](STACK_OF(PKCS7) * p) { sk_PKCS7_pop_free(p, PKCS7_free); });
    if (!safes) {
        return false;
    }
    CertSummary found;
    for (int i = 0; i < sk_PKCS7_num(safes.get()); ++i) {
        PKCS7* part = sk_PKCS7_value(safes.get(), i);
        const int type = OBJ_obj2nid(part->type);
        STACK_OF(PKCS12_SAFEBAG)* bags = type == NID_pkcs7_data ? PKCS12_unpack_p7data(part)
                                         : type == NID_pkcs7_encrypted
                                             ? PKCS12_unpack_p7encdata(part, pass, pass ? -1 : 0)
                                             : nullptr;
        if (bags == nullptr) {
            if (type == NID_pkcs7_data || type == NID_pkcs7_encrypted) {
                return false;
            }
            continue;
        }
        for (int b = 0; b < sk_PKCS12_SAFEBAG_num(bags); ++b) {
            const PKCS12_SAFEBAG* bag = sk_PKCS12_SAFEBAG_value(bags, b);
            if (PKCS12_SAFEBAG_get_nid(bag) != NID_certBag) {
                continue;
            }
            X509Ptr cert(PKCS12_SAFEBAG_get1_cert(bag));
            if (cert && ++found.count == 1) {
                Describe(cert.get(), found);
            }
        }
        sk_PKCS12_SAFEBAG_pop_free(bags, PKCS12_SAFEBAG_free);
    }
    s = found;
    return true;
}

void SummarisePkcs12(const std::string& base64, std::u16string_view password, CertSummary& s) {
    std::string der;
    if (!DecodeBase64(base64, der)) {
        return;
    }
    // A stored file is as hostile as an imported one: its rounds are checked before any is run.
    const Pkcs12Verdict verdict = CheckPkcs12Bytes(der, password);
    if (verdict == Pkcs12Verdict::kTooCostly) {
        s.tooCostly = true;
        return;
    }
    LoadCertificateProviders();
    const auto* p = reinterpret_cast<const unsigned char*>(der.data());
    std::unique_ptr<PKCS12, decltype(&PKCS12_free)> p12(
        d2i_PKCS12(nullptr, &p, static_cast<long>(der.size())), PKCS12_free);
    if (!p12) {
        return;
    }
    const std::string utf8 = Utf16ToUtf8(password);
    std::vector<const char*> tries;
    if (password.empty()) {
        tries = {nullptr, ""};
    } else {
        tries = {utf8.c_str()};
    }
    if (!PKCS12_mac_present(p12.get())) {
        // OpenSSL's own reading insists on a MAC: the certificates are taken from the contents,
        // which the check above found to open with the password.
        if (verdict == Pkcs12Verdict::kOpens) {
            for (const char* pass : tries) {
                if (SummariseContents(p12.get(), pass, s)) {
                    break;
                }
            }
        }
        return;
    }
    for (const char* pass : tries) {
        EVP_PKEY* key = nullptr;
        X509* cert = nullptr;
        STACK_OF(X509)* ca = nullptr;
        if (PKCS12_parse(p12.get(), pass, &key, &cert, &ca) != 1) {
            continue;
        }
        EVP_PKEY_free(key);
        const int extra = ca ? sk_X509_num(ca) : 0;
        X509* first = cert ? cert : (extra > 0 ? sk_X509_value(ca, 0) : nullptr);
        if (first) {
            Describe(first, s);
        }
        s.count = (cert ? 1 : 0) + extra;
        X509_free(cert);
        sk_X509_pop_free(ca, X509_free);
        break;
    }
}

}  // namespace

CertSummary SummariseStoredCertificate(std::u16string_view format, std::u16string_view text,
                                       std::u16string_view password) {
    CertSummary s;
    const std::string narrow = Utf16ToUtf8(text);
    if (format == u"pem") {
        SummarisePem(narrow, s);
    } else {
        SummarisePkcs12(narrow, password, s);
    }
    ERR_clear_error();
    return s;
}
