#include "text/data_file_report.h"

#include <sys/stat.h>

#include "platform/error_codes.h"
#include "platform/program_path.h"
#include "platform/unicode.h"
#include "platform/version_block.h"
#include "text/language_file.h"

namespace {

std::string ProductVersion() {
    std::u16string version;
    if (const VersionBlock* block = ProgramVersionBlock()) {
        QueryVersionBlockString(*block, 0x0409, 1200, u"ProductVersion", version);
    }
    return version.empty() ? std::string("(no version)") : Utf16ToUtf8(version);
}

}  // namespace

std::string DataFileReport(const std::string& programName, const std::string& programPath,
                           uint16_t systemLanguageId) {
    std::string report = programName + " " + ProductVersion() + "\n";
    std::string failures;
    const auto loaded =
        SelectLanguageFiles(programPath, systemLanguageId, [&](uint32_t code, const std::string& path) {
            failures += "language file: " + path + " (not loaded: " + DescribeCode(code) + ")\n";
        });
    for (const auto& path : loaded) {
        report += "language file: " + path + "\n";
    }
    if (loaded.empty() && failures.empty()) {
        report +=
            "language file: none (" + LanguageFilePath(programPath, systemLanguageId) + " is missing)\n";
    }
    report += failures;
    const std::string help = LocateDataFile(HelpFilePath(programPath));
    struct stat st {};
    report += "help file: " + help + (stat(help.c_str(), &st) == 0 ? "" : " (missing)") + "\n";
    return report;
}
