// Commands on the ID list of a configuration file: CSV export and import, as the program's
// File › ID List commands do them.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "idlist/id_list_export.h"
#include "idlist/id_list_import.h"
#include "platform/error_codes.h"
#include "platform/language_id.h"
#include "platform/program_path.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextIdCsvUnreadable = 2111;

const char kIdListHelp[] =
    "usage: talvero-cli idlist export FILE.ini OUT.csv\n"
    "       talvero-cli idlist import FILE.ini IN.csv [-o OUT.ini]\n\n"
    "export  writes the entries in use of FILE's ID list to OUT.csv (UTF-16, one line per entry:\n"
    "        number, type, identifier or telephone number, name, reading, selection).\n"
    "import  replaces FILE's whole ID list with the rows of IN.csv and saves the result to OUT.ini\n"
    "        (or back to FILE). IN.csv may be UTF-16 (as exported), UTF-8 (as spreadsheets write\n"
    "        it) or in the ANSI code page, with CR LF or LF line ends. Rows that break the row\n"
    "        rules are skipped and entries with a refused value are cleared, silently, as in the\n"
    "        program; the number of entries imported and each name shortened to the display width\n"
    "        are reported on standard output, the warnings of opening FILE on standard error. When\n"
    "        IN.csv cannot be read or yields no entry, nothing is written and the exit status is 1;\n"
    "        so it is when IN.csv holds a NUL character before its end, is larger than 100 MB, or\n"
    "        holds bytes that are neither UTF-8 nor characters of the code page (the line is named).\n"
    "        Changing FILE in place holds its lock (flock) from reading to saving; a second command\n"
    "        changing it waits, and says so.\n\n"
    "The CSV file is data, read back by this program and others: its cells are written exactly as\n"
    "the ID list holds them, also a name such as =1+2 or @SUM(A1). Do not open it in a spreadsheet\n"
    "with formulas enabled; import it as text.\n\n"
    "The type column holds the type names of the program's language files (talvero.LANG.lang\n"
    "beside this tool, chosen by the system language or TALVERO_LANG), so a file exported by the\n"
    "program under the same language imports here, and the other way round.";

// Shows the warnings of the load on standard error, as `check` prints them, before anything is
// written back.
class LoadWarnings : public IDocumentObserver {
  public:
    explicit LoadWarnings(const std::string& path) : m_path(path) {}
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) override {
        if (hint == kHintLoaded && warnings) {
            for (const auto& l : *warnings) {
                std::fprintf(stderr, "talvero-cli: idlist: %s: %s\n", EscapeControls(m_path).c_str(),
                             ShownLine(l).c_str());
            }
        }
    }

  private:
    std::string m_path;
};

bool Open(CTalveroDoc& doc, const std::string& path) {
    LoadWarnings warnings(path);
    doc.AddObserver(&warnings);
    ConfigLoadResult r = OpenConfigurationFile(doc, path);
    doc.RemoveObserver(&warnings);
    if (!r.ok()) {
        Fail("idlist: " + path + ": " + r.Describe(), 1);
        return false;
    }
    return true;
}

// The system's reason, with the path where the file layer gave it.
std::string Describe(const ErrorInfo& e, const std::string& path) {
    return e.detail.empty() ? path + ": " + DescribeCode(e.code) : e.detail;
}

int RunExport(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return Fail("idlist export: expected FILE.ini and OUT.csv (see --help)");
    }
    if (int status = 0; !CheckOutputFile("idlist export", args[1], 1, status)) {
        return status;
    }
    CTalveroDoc doc;
    if (!Open(doc, args[0])) {
        return 1;
    }
    const ErrorInfo e = ExportIdList(doc, args[1]);
    if (!e.ok()) {
        return Fail("idlist export: cannot write " + Describe(e, args[1]), 1);
    }
    return 0;
}

int RunImport(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                return Fail("idlist import: -o needs a file name");
            }
            out = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-') {
            return Fail("idlist import: unknown option '" + args[i] + "' (see --help)");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2) {
        return Fail("idlist import: expected FILE.ini and IN.csv (see --help)");
    }
    const std::string target = out.empty() ? files[0] : out;
    int status = 0;
    if (!CheckOutputFile("idlist import", target, 1, status)) {
        return status;
    }
    // FILE is read, changed and saved back under its lock.
    FileUpdateLock lock;
    if (SameFile(target, files[0]) && !LockForUpdate(lock, "idlist import", files[0], 1, status)) {
        return status;
    }
    CTalveroDoc doc;
    if (!Open(doc, files[0])) {
        return 1;
    }
    const IdListImportResult r = ImportIdList(doc, files[1]);
    if (r.code != kErrSuccess) {
        return Fail("idlist import: " + files[1] + ": " + Utf16ToUtf8(GetLanguageText(kTextIdCsvUnreadable)) +
                        " (" + DescribeCode(r.code) + ")",
                    1);
    }
    if (!r.refusal.empty()) {
        return Fail("idlist import: " + files[1] + ": " + Utf16ToUtf8(r.refusal), 1);
    }
    std::puts(Utf16ToUtf8(r.Summary()).c_str());
    for (const auto& line : r.warnings) {
        PrintShownLine(stdout, line);
    }
    const ErrorInfo e = SaveAndWarn(doc, target);
    if (!e.ok()) {
        return Fail("idlist import: cannot write " + Describe(e, target), 1);
    }
    return 0;
}

int RunIdList(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "%s\n", kIdListHelp);
        return 2;
    }
    if (WantsHelp(args)) {
        std::puts(kIdListHelp);
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "export" || args[0] == "import") {
        LoadLanguageTexts();
        return args[0] == "export" ? RunExport(rest) : RunImport(rest);
    }
    return Fail("idlist: unknown action '" + args[0] + "' (expected export or import; see --help)");
}

}  // namespace

std::vector<CliCommand> IdListCommands() {
    return {
        {"idlist", "export or import the ID list of a configuration file as CSV", RunIdList},
    };
}
