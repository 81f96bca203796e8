#pragma once
// Import of a PEM certificate file: the text from the first begin line to the last end line,
// joined into one line, as the certificate slot stores it for the "pem" format.
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::string_view kPemBeginLine = "-----BEGIN CERTIFICATE-----";
inline constexpr std::string_view kPemEndLine = "-----END CERTIFICATE-----";

// The file's bytes are 8-bit text in the ANSI code page. Every CR, LF and TAB is removed; blanks
// stay. The rest must begin with kPemBeginLine and end with kPemEndLine, compared exactly: only
// the two ends are checked, so a file of several certificates is taken whole. Returns 0 with the
// one-line text in UTF-16, or 87 (text left empty).
uint32_t PemTextFromBytes(std::string_view bytes, std::u16string& text);

// ReadCertificateFile, then PemTextFromBytes. Returns 0, the file's code, or 87.
uint32_t ImportPemCertificate(const std::string& path, std::u16string& text);
