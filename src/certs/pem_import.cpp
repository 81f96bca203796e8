#include "certs/pem_import.h"

#include "certs/cert_file.h"
#include "platform/code_page.h"

uint32_t PemTextFromBytes(std::string_view bytes, std::u16string& text) {
    text.clear();
    std::string joined;
    joined.reserve(bytes.size());
    for (char c : bytes) {
        if (c != '\r' && c != '\n' && c != '\t') {
            joined.push_back(c);
        }
    }
    if (!joined.starts_with(kPemBeginLine) || !joined.ends_with(kPemEndLine)) {
        return kErrInvalidParameter;
    }
    text = FromAnsi(joined);
    return kErrSuccess;
}

uint32_t ImportPemCertificate(const std::string& path, std::u16string& text) {
    text.clear();
    std::string bytes;
    const uint32_t code = ReadCertificateFile(path, bytes);
    if (code != kErrSuccess) {
        return code;
    }
    return PemTextFromBytes(bytes, text);
}
