#pragma once
// A gzip-compressed tar archive (POSIX ustar) of a few named files, written atomically: what the
// diagnostic report is saved as, readable with any tar.
#include <string>
#include <vector>

#include "platform/error_codes.h"

struct ArchiveEntry {
    std::string name;   // a plain name inside the archive ("report/ports.txt"), at most 100 bytes
    std::string bytes;  // the file's content
};

// Writes the entries to `path` as a 0600 file (a temporary file first, renamed over it on success;
// a symbolic link at `path` is replaced, not followed).
ErrorInfo WriteTarGz(const std::string& path, const std::vector<ArchiveEntry>& entries);

// Reads back what WriteTarGz wrote (regular files only); false on anything else.
bool ReadTarGz(const std::string& path, std::vector<ArchiveEntry>& entries);
