#pragma once
// The diagnostic report a user sends when a radio will not talk: one archive with the program's
// version, the system and toolkit versions, the serial ports, the last radio traces (secrets
// already masked in them) and the last error. The configuration goes in only when the user asks
// for it, and then with every secret masked.
#include <string>
#include <vector>

#include "link/report_archive.h"
#include "platform/error_codes.h"

class CTalveroDoc;

struct DiagnosticFacts {
    std::string toolkit;      // the windows' toolkit and its version ("Qt 6.4.2"), empty for none
    std::string lastError;    // the last failure of a radio command, in words; empty when none
    std::string traceFolder;  // the traces are taken from here (the newest kKeptTraces)
    const CTalveroDoc* configuration = nullptr;  // included only when set
};

// The archive's files, under the folder "talvero-report/".
std::vector<ArchiveEntry> DiagnosticReportEntries(const DiagnosticFacts& facts);
// Writes the report as a .tar.gz at `path`.
ErrorInfo SaveDiagnosticReport(const std::string& path, const DiagnosticFacts& facts);
