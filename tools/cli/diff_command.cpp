// talvero-cli diff: two configuration files, or a configuration file and what a radio holds now,
// setting by setting, grouped by the page that shows each setting.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "commands.h"
#include "document/config_file.h"
#include "document/settings_compare.h"
#include "document/talvero_doc.h"
#include "link/radio_recipes.h"
#include "pages/page_value_text.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "radio_session.h"
#include "setting_text.h"
#include "text/language_texts.h"

namespace {

constexpr int kExitSame = 0;
constexpr int kExitDifferent = 1;

const char kUsage[] =
    "usage: talvero-cli diff A.ini B.ini\n"
    "       talvero-cli diff FILE.ini [LINK OPTIONS]\n\n"
    "Lists the settings whose values differ, grouped by page, each with its label, its key and both\n"
    "values (passwords, keys and certificates masked). With one FILE, the radio's configuration is\n"
    "read and compared with what FILE would leave in the radio.\n\n"
    "exit status: 0 the same, 1 different, 2 wrong arguments, 12 a file cannot be read or is not a\n"
    "configuration; a failed read from the radio exits with the status of 'read' (listed by\n"
    "'talvero-cli --help').\n";

int OpenFile(const std::string& path, CTalveroDoc& doc) {
    const ConfigLoadResult loaded = OpenConfigurationFile(doc, path);
    if (!loaded.ok()) {
        return Fail("diff: " + path + ": " + loaded.Describe(), kExitFile);
    }
    return kExitOk;
}

// Prints the differences page by page (in the order of the tree), settings no page shows last;
// each side reads as its page shows it in its own configuration.
int PrintDifferences(const std::vector<SettingDifference>& differences, const CTalveroDoc& firstDoc,
                     const CTalveroDoc& secondDoc, const std::string& firstName,
                     const std::string& secondName) {
    if (differences.empty()) {
        return kExitSame;
    }
    LoadEnglishTexts();
    std::map<uint32_t, std::vector<const SettingDifference*>> pages;  // node ID 0: no page
    for (const auto& d : differences) {
        const auto place = ShownPlaceOf(d.key);
        pages[place ? place->nodeId : UINT32_MAX].push_back(&d);
    }
    std::printf("--- %s\n+++ %s\n", EscapeControls(firstName).c_str(), EscapeControls(secondName).c_str());
    for (const auto& [node, list] : pages) {
        const auto place = ShownPlaceOf(list.front()->key);
        std::printf("\n[%s]\n", place ? Utf16ToUtf8(place->page).c_str() : "settings no page shows");
        for (const SettingDifference* d : list) {
            const auto row = ShownPlaceOf(d->key);
            const std::string label = row ? Utf16ToUtf8(row->label) + " " : std::string();
            std::printf("  %s(%s): %s -> %s\n", label.c_str(), ShownText(d->key).c_str(),
                        ShownValue(firstDoc, d->key, d->first).c_str(),
                        ShownValue(secondDoc, d->key, d->second).c_str());
        }
    }
    return kExitDifferent;
}

int RunDiff(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::printf("%s\noptions with one FILE:\n%s\npassword options:\n%s", kUsage, kLinkOptionsHelp,
                    kPasswordOptionsHelp);
        return 0;
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("diff", args, link, status)) {
        return status;
    }
    for (const auto& a : link.rest) {
        if (!a.empty() && a[0] == '-') {
            return Fail("diff: unexpected argument '" + a + "' (see --help)", kExitUsage);
        }
    }
    const bool withRadio = link.rest.size() == 1;
    const bool linkGiven = link.port || link.password || link.timeoutMs || link.trace;
    if (link.rest.empty() || link.rest.size() > 2 || (!withRadio && linkGiven)) {
        return Fail("diff: give two files, or one file and the radio's link options (see --help)",
                    kExitUsage);
    }
    CTalveroDoc first;
    if (int r = OpenFile(link.rest[0], first); r != kExitOk) {
        return r;
    }
    CTalveroDoc second;
    if (!withRadio) {
        if (int r = OpenFile(link.rest[1], second); r != kExitOk) {
            return r;
        }
        return PrintDifferences(CompareDocuments(first, second), first, second, link.rest[0], link.rest[1]);
    }
    RadioSession s("diff", link);
    s.link.m_expectedReadBytes = CloneTextBytesOf(first);
    const RadioOutcome read = ReadConfiguration(s.link, s.host, s.timings);
    if (int r = s.Report(read); r != kExitOk) {
        return r;
    }
    second.LoadSettings(read.data, false);
    // What the file would leave in the radio: the radio form drops what a write never sends.
    CTalveroDoc written;
    LoadAsRadioHoldsIt(first, written);
    return PrintDifferences(CompareDocuments(written, second), written, second, link.rest[0],
                            "radio on " + s.link.m_comPort);
}

}  // namespace

CliCommand DiffCommand() {
    return {"diff", "compare two configuration files, or a file and the radio", RunDiff};
}
