#pragma once
// Every configuration read from a radio is also kept as a configuration file in a backups folder,
// so that a technician can always go back to what a radio held before it was rewritten. Backups
// older than a year are removed when a new one is written. Backups hold every secret of the radio:
// the folder is made private (platform/private_files.h) and each file is created 0600 under a name
// that nothing, not even a symbolic link, holds yet.
#include <chrono>
#include <string>

#include "platform/error_codes.h"

class CIniData;
class CTalveroDoc;

// $XDG_DATA_HOME/Talvero/backups, or ~/.local/share/Talvero/backups; empty without a home.
std::string DefaultBackupFolder();

struct BackupResult {
    ErrorInfo error;
    std::string path;      // the file written, when error.ok()
    std::string textPath;  // the radio's own text beside it, when one was given and written
};

// Writes the document as "read-YYYYMMDD-HHMMSS.ini" (local time; "-2", "-3" ... added when that
// name is taken) in `folder`, creating the folder when needed, then removes backups older than
// `keep`. The document's path and modified flag are not changed.
BackupResult SaveReadBackup(const CTalveroDoc& doc, const std::string& folder,
                            std::chrono::system_clock::time_point now = std::chrono::system_clock::now(),
                            std::chrono::hours keep = std::chrono::hours(24 * 365));

// The backup of a read as the radio sent it: the whole configuration of `radioData` (whatever the
// program's WLAN-only mode) as "read-….ini", and beside it, when `receivedText` is not empty, the
// exact clone text the radio sent as "read-….radio.txt" (it keeps what the file form cannot: the
// radio's information, its lines and servers, and every key this program does not know). When that
// name is taken the pair moves on to the next number together.
BackupResult SaveReadBackup(const CIniData& radioData, const std::string& receivedText,
                            const std::string& folder,
                            std::chrono::system_clock::time_point now = std::chrono::system_clock::now(),
                            std::chrono::hours keep = std::chrono::hours(24 * 365));
