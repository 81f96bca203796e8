#pragma once
// What a stored certificate is, for listings: the subject and expiry date of its first
// certificate, read back from the slot's text with OpenSSL. Never shows the password.
#include <string>
#include <string_view>

struct CertSummary {
    bool readable = false;  // false: the text holds no certificate that could be read
    std::string subject;    // one line, RFC 2253 order ("CN=Client,O=Example")
    std::string notAfter;   // "YYYY-MM-DD" (UTC)
    int count = 0;          // certificates in the text (PEM) or the file (PKCS #12)
    // A PKCS #12 file that asks for more key derivation rounds than kPkcs12MaxIterations: it was
    // not opened (readable is false).
    bool tooCostly = false;
};

// `format` "pem": the one-line PEM text; otherwise the Base64 form of a PKCS #12 file, opened with
// `password` (the absent and the empty password both tried when it is empty).
CertSummary SummariseStoredCertificate(std::u16string_view format, std::u16string_view text,
                                       std::u16string_view password);
