// Commands on configuration files: new, show, check, set.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "document/value_rules.h"
#include "pages/page_rule_check.h"
#include "pages/stored_value_report.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "setting_text.h"
#include "text/language_texts.h"

namespace {

// A line of the file, or a warning quoting it: escaped and cut as outside text.
void PrintLine(const std::u16string& line) {
    PrintShownLine(stdout, line);
}

// Opens a configuration file as the program does; prints the reason and returns false when refused.
bool Open(CTalveroDoc& doc, const std::string& path);

// Collects the warning lines of a load, to show them before anything is saved.
class WarningCollector : public IDocumentObserver {
  public:
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) override {
        if (hint == kHintLoaded && warnings) {
            lines = *warnings;
        }
    }
    std::vector<std::u16string> lines;
};

bool Open(CTalveroDoc& doc, const std::string& path) {
    ConfigLoadResult r = OpenConfigurationFile(doc, path);
    if (!r.ok()) {
        Fail(path + ": " + r.Describe(), 1);
        return false;
    }
    return true;
}

int RunNew(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::puts(
            "usage: talvero-cli new -o FILE\n\nWrites a configuration file holding the default settings.");
        return 0;
    }
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            out = args[++i];
        } else {
            return Fail("new: unexpected argument '" + args[i] + "' (see --help)");
        }
    }
    if (out.empty()) {
        return Fail("new: missing -o FILE (see --help)");
    }
    if (int status = 0; !CheckOutputFile("new", out, 1, status)) {
        return status;
    }
    CTalveroDoc doc;
    ErrorInfo e = SaveAndWarn(doc, out);
    if (!e.ok()) {
        return Fail("new: cannot write " + e.detail, 1);
    }
    return 0;
}

int RunShow(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::puts(
            "usage: talvero-cli show FILE [--radio-form] [--wlan-only]\n\n"
            "Prints the key=value lines of a configuration file as the program renders them, one per\n"
            "line in UTF-8: the file form (secrets scrambled) by default, or with --radio-form the lines\n"
            "a write sends to the radio. --wlan-only renders the WLAN and certificate settings alone.");
        return 0;
    }
    std::string path;
    bool radio = false, wlanOnly = false;
    for (const auto& a : args) {
        if (a == "--radio-form") {
            radio = true;
        } else if (a == "--wlan-only") {
            wlanOnly = true;
        } else if (!a.empty() && a[0] == '-') {
            return Fail("show: unknown option '" + a + "' (see --help)");
        } else if (path.empty()) {
            path = a;
        } else {
            return Fail("show: more than one file given (see --help)");
        }
    }
    if (path.empty()) {
        return Fail("show: missing FILE (see --help)");
    }
    CTalveroDoc doc;
    if (!Open(doc, path)) {
        return 1;
    }
    doc.m_wlanOnly = wlanOnly ? 1 : 0;
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, !radio);
    for (const auto& l : lines) {
        PrintLine(l);
    }
    return 0;
}

int RunCheck(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::puts(
            "usage: talvero-cli check FILE [--strict]\n\n"
            "Opens a configuration file as the program does and prints each warning of the load\n"
            "(texts cut to what the radio can display), one per line. Then every value the file holds\n"
            "that its page would not accept if typed or chosen now (too long, characters the radio\n"
            "cannot display, a choice the page does not offer) is listed on standard error with its\n"
            "page, label and reason; such values are kept as they are. Exit status 0 when the file is\n"
            "accepted, 1 when it is refused (the reason goes to standard error) or, with --strict, when\n"
            "it holds such a value.");
        return 0;
    }
    std::string path;
    bool strict = false;
    for (const auto& a : args) {
        if (a == "--strict") {
            strict = true;
        } else if (a.empty() || a[0] == '-' || !path.empty()) {
            return Fail("check: expected one FILE and at most --strict (see --help)");
        } else {
            path = a;
        }
    }
    if (path.empty()) {
        return Fail("check: expected exactly one FILE (see --help)");
    }
    LoadLanguageTexts();  // the warnings are the program's own texts
    CTalveroDoc doc;
    WarningCollector collector;
    doc.AddObserver(&collector);
    if (!Open(doc, path)) {
        return 1;
    }
    for (const auto& l : collector.lines) {
        PrintLine(l);
    }
    const std::vector<RefusedStoredValue> refused = RefusedStoredValues(doc);
    for (const RefusedStoredValue& r : refused) {
        std::fprintf(stderr, "talvero-cli: check: %s\n", ShownLine(DescribeRefusedStoredValue(r)).c_str());
    }
    return strict && !refused.empty() ? 1 : 0;
}

int RunSet(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::puts(
            "usage: talvero-cli set FILE KEY=VALUE... [-o OUT]\n\n"
            "Applies the values in the order given, each through the setting's own rule, and saves the\n"
            "result to OUT (or back to FILE). Keys are written as in the file (def_id_01, name_01_07,\n"
            "wlan_psk_03, access_pass); values are UTF-8. Each refused value is reported on standard\n"
            "error with the reason and leaves its setting unchanged; the exit status is then 1. The\n"
            "warnings of opening FILE (texts shortened, values not loaded) go to standard error first.\n"
            "The radio information (model, versions, line settings) comes only from a radio and is\n"
            "never kept in a file, so its keys are refused.\n"
            "Changing FILE in place holds its lock (flock) from reading to saving: a second 'set' on the\n"
            "same file waits for the first one, says so on standard error, and then applies its values\n"
            "to what the first one saved. Values in messages are cut to 64 characters.");
        return 0;
    }
    std::string path, out;
    std::vector<std::string> assignments;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size()) {
                return Fail("set: -o needs a file name");
            }
            out = args[++i];
        } else if (path.empty()) {
            path = args[i];
        } else {
            assignments.push_back(args[i]);
        }
    }
    if (path.empty() || assignments.empty()) {
        return Fail("set: expected FILE and at least one KEY=VALUE (see --help)");
    }
    for (const auto& a : assignments) {
        if (a.find('=') == std::string::npos) {
            return Fail("set: '" + a + "' is not KEY=VALUE");
        }
    }
    LoadLanguageTexts();  // warnings and reasons are the program's own texts
    const std::string target = out.empty() ? path : out;
    int status = 0;
    if (!CheckOutputFile("set", target, 1, status)) {
        return status;
    }
    // Read, changed and saved under the file's lock, so that two runs at once both count.
    FileUpdateLock lock;
    if (SameFile(target, path) && !LockForUpdate(lock, "set", path, 1, status)) {
        return status;
    }
    CTalveroDoc doc;
    WarningCollector collector;
    doc.AddObserver(&collector);
    const bool opened = Open(doc, path);
    doc.RemoveObserver(&collector);
    if (!opened) {
        return 1;
    }
    for (const auto& l : collector.lines) {
        std::fprintf(stderr, "talvero-cli: set: %s: %s\n", EscapeControls(path).c_str(),
                     ShownLine(l).c_str());
    }
    bool refused = false;
    for (const auto& a : assignments) {
        const size_t eq = a.find('=');
        const std::string key = a.substr(0, eq);
        const std::u16string value = Utf8ToUtf16(a.substr(eq + 1));
        auto id = FindSettingByKey(Utf8ToUtf16(key));
        if (!id) {
            std::fprintf(stderr, "talvero-cli: set: unknown key '%s'\n", ShownText(key).c_str());
            refused = true;
            continue;
        }
        const SettingDef& def = SettingsCatalogue()[id->def];
        if (def.family == Family::Info || !def.rendered) {
            std::fprintf(stderr,
                         "talvero-cli: set: %s: this setting comes from the radio and is never kept in a "
                         "configuration file\n",
                         key.c_str());
            refused = true;
            continue;
        }
        // The same rules, and the same words, as the setting's page.
        if (const PageVerdict verdict = SetThroughPage(doc, *id, value); !verdict.accepted) {
            std::fprintf(stderr, "talvero-cli: set: %s: value %s refused: %s\n", key.c_str(),
                         ShownValue(Utf8ToUtf16(key), value).c_str(), verdict.Message().c_str());
            refused = true;
        }
    }
    ErrorInfo e = SaveAndWarn(doc, target);
    if (!e.ok()) {
        return Fail("set: cannot write " + e.detail, 1);
    }
    return refused ? 1 : 0;
}

}  // namespace

std::vector<CliCommand> DocumentCommands() {
    return {
        {"new", "write a configuration file holding the defaults", RunNew},
        {"show", "print the key=value lines of a configuration file", RunShow},
        {"check", "open a configuration file and print the load warnings", RunCheck},
        {"set", "change settings of a configuration file through their rules", RunSet},
    };
}
