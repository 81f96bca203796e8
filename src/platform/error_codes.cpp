#include "platform/error_codes.h"

#include <errno.h>

uint32_t ErrnoToCode(int err) {
    switch (err) {
        case 0:
            return kErrSuccess;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return kErrFileNotFound;
        case EACCES:
        case EPERM:
        case EBUSY:
        case EROFS:
            return kErrAccessDenied;
        case ENOMEM:
            return kErrNotEnoughMemory;
        case ETIMEDOUT:
            return kErrTimeout;
        case EIO:
            return kErrBadUnit;
        case ENOSPC:
        case EFBIG:
            return kErrInsufficientBuffer;
        default:
            return kErrInvalidData;
    }
}

std::string DescribeCode(uint32_t code) {
    switch (code) {
        case kErrSuccess:
            return "The operation completed successfully.";
        case kErrFileNotFound:
            return "The system cannot find the file specified.";
        case kErrAccessDenied:
            return "Access is denied.";
        case kErrNotEnoughMemory:
            return "Not enough memory resources are available to process this command.";
        case kErrInvalidData:
            return "The data is invalid.";
        case kErrBadUnit:
            return "The system cannot find the device specified.";
        case kErrCrc:
            return "Data error (cyclic redundancy check).";
        case kErrHandleEof:
            return "Reached the end of the file.";
        case kErrInvalidPassword:
            return "The specified network password is not correct.";
        case kErrInsufficientBuffer:
            return "The data area passed to a system call is too small.";
        case kErrNotFound:
            return "Element not found.";
        case kErrCancelled:
            return "The operation was canceled by the user.";
        case kErrTimeout:
            return "This operation returned because the timeout period expired.";
        case kErrIncorrectSize:
            return "Incorrect size argument.";
        default:
            return "Unknown error " + std::to_string(code) + ".";
    }
}
