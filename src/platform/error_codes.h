#pragma once
// Results of radio operations and file routines are Windows system error codes (0 = success),
// on every platform, so that messages and callers agree everywhere. POSIX failures are mapped
// to the nearest code; the errno text is kept alongside for the message the user sees.
#include <cstdint>
#include <string>

enum : uint32_t {
    kErrSuccess = 0,
    kErrFileNotFound = 2,          // ERROR_FILE_NOT_FOUND
    kErrAccessDenied = 5,          // ERROR_ACCESS_DENIED
    kErrNotEnoughMemory = 8,       // ERROR_NOT_ENOUGH_MEMORY
    kErrInvalidData = 13,          // ERROR_INVALID_DATA
    kErrBadUnit = 20,              // ERROR_BAD_UNIT
    kErrCrc = 23,                  // ERROR_CRC
    kErrHandleEof = 38,            // ERROR_HANDLE_EOF
    kErrInvalidPassword = 86,      // ERROR_INVALID_PASSWORD
    kErrInsufficientBuffer = 122,  // ERROR_INSUFFICIENT_BUFFER
    kErrNotFound = 1168,           // ERROR_NOT_FOUND
    kErrCancelled = 1223,          // ERROR_CANCELLED
    kErrTimeout = 1460,            // ERROR_TIMEOUT
    kErrIncorrectSize = 1462,      // ERROR_INCORRECT_SIZE
};

// The code nearest to a POSIX errno value (ENOENT → 2, EACCES/EPERM/EBUSY → 5, ...).
uint32_t ErrnoToCode(int err);

// A short English description of a code, like the system's own message text.
std::string DescribeCode(uint32_t code);

// A failure with its code and, where known, the errno text and the path or port involved.
struct ErrorInfo {
    uint32_t code = kErrSuccess;
    int sysErrno = 0;    // 0 when the failure did not come from a system call
    std::string detail;  // errno text or other context, may be empty
    bool ok() const { return code == kErrSuccess; }
};
