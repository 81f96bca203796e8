#pragma once
// Reading a whole file into memory, as every file reader of the program does it. The reader names
// its own size limit; the outcome is the bytes or one of these faults, each with a fixed Windows
// system error code and, where a system call failed, its errno and text:
//   kOpen       the open failed                   the errno's code (2, 5, 8, ...)
//   kDirectory  the path is a folder              5, as opening a folder gives on Windows
//   kNotRegular a pipe, device or socket          13: it has no length to read (never waited on)
//   kTooLarge   longer than the limit             1462, before a byte is read
//   kNoMemory   no memory for the bytes           8
//   kRead       a read failed                     the errno's code (EIO: 20)
//   kShrank     fewer bytes than its length       38: the file shrank while it was read
//   kGrew       more bytes than its length        13: the file grew while it was read
// Each reader maps these to its own refusal codes and texts.
#include <cstdint>
#include <string>

#include "platform/error_codes.h"

enum class WholeFileFault {
    kNone,
    kOpen,
    kDirectory,
    kNotRegular,
    kTooLarge,
    kNoMemory,
    kRead,
    kShrank,
    kGrew
};

// What to do with a file longer than the limit: refuse it, or read only its first maxBytes bytes.
enum class OverLimit { kRefuse, kReadPrefix };

struct WholeFile {
    WholeFileFault fault = WholeFileFault::kNone;
    ErrorInfo error;    // code 0 when read; else the code, errno and "path: what happened"
    std::string bytes;  // the file's bytes; empty after a fault
    bool ok() const { return fault == WholeFileFault::kNone; }
};

WholeFile ReadWholeFile(const std::string& path, uint64_t maxBytes, OverLimit overLimit = OverLimit::kRefuse);
