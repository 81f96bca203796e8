#pragma once
// Reading a certificate file for import: the whole file, at most kCertMaxBytes, or a code that
// says why not. Shared by the PEM and the PKCS #12 import.
#include <cstdint>
#include <string>

#include "platform/error_codes.h"

// The radio keeps a certificate of at most this many bytes.
inline constexpr uint64_t kCertMaxBytes = 8000;

// The code for a file that is too long, shorter than its length, or not a certificate file of the
// expected kind (ERROR_INVALID_PARAMETER).
inline constexpr uint32_t kErrInvalidParameter = 87;

// Returns 0 with the file's bytes; the open failure's code (a folder gives 5, as opening one as a
// file does on Windows); 87 for a file longer than kCertMaxBytes, a short read or something that
// is not a regular file; 122 when the buffer cannot be had. The whole 64-bit length counts, so a
// file past 4 GiB is never taken for the few bytes above a multiple of 4 GiB.
uint32_t ReadCertificateFile(const std::string& path, std::string& bytes);
