// Commands that talk to a radio: ports, search, info, read, write, init, firmware.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "document/config_file.h"
#include "document/read_backup.h"
#include "document/talvero_doc.h"
#include "link/radio_recipes.h"
#include "pages/stored_value_report.h"
#include "platform/posix/port_enum.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "radio_host.h"
#include "radio_session.h"
#include "setting_text.h"

namespace fs = std::filesystem;

const char kLinkOptionsHelp[] =
    "  --port PATH      serial port of the radio (default: the port found by 'search')\n"
    "  --speed BPS      bit rate (default 38400)\n"
    "  --password-file FILE, --password-stdin, --password TEXT\n"
    "                   the radio's password, when it asks for one (default: asked on the terminal);\n"
    "                   see below\n"
    "  --timeout MS     reply time-out in milliseconds (default 4000; 6000 while writing)\n"
    "  --trace FILE     record every frame in FILE (time, direction, bit rate, command, length,\n"
    "                   payload in hex; passwords, keys and certificates masked)\n"
    "  --quiet          no progress bar, no summary line and no radio information after success\n";

static bool ParseUnsigned(const std::string& text, uint64_t max, uint32_t& value) {
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const uint64_t v = std::strtoull(text.c_str(), nullptr, 10);
    if (v == 0 || v > max) {
        return false;
    }
    value = static_cast<uint32_t>(v);
    return true;
}

bool ParseLinkArgs(const std::string& command, const std::vector<std::string>& args, LinkArgs& out,
                   int& status) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--port" || a == "--speed" || a == "--timeout" || a == "--trace";
        if (a == "--quiet" || a == "-q") {
            out.quiet = true;
            continue;
        }
        if (IsPasswordOption(a)) {
            if (!TakePasswordOption(command, args, i, out.password, status)) {
                return false;
            }
            continue;
        }
        if (!takesValue) {
            out.rest.push_back(a);
            continue;
        }
        if (i + 1 >= args.size()) {
            status = Fail(command + ": " + a + " needs a value (see --help)", kExitUsage);
            return false;
        }
        const std::string& v = args[++i];
        if (a == "--trace") {
            if (v.empty()) {
                status = Fail(command + ": --trace needs the path of a file", kExitUsage);
                return false;
            }
            out.trace = v;
        } else if (a == "--port") {
            if (v.empty()) {
                status = Fail(command + ": --port needs the path of a serial port", kExitUsage);
                return false;
            }
            out.port = v;
        } else if (a == "--speed") {
            if (!ParseUnsigned(v, 4000000, out.speed) || out.speed < 300) {
                status = Fail(command + ": --speed needs a bit rate from 300 to 4000000", kExitUsage);
                return false;
            }
        } else if (a == "--timeout") {
            uint32_t ms = 0;
            if (!ParseUnsigned(v, 600000, ms) || ms < 10) {
                status = Fail(command + ": --timeout needs milliseconds from 10 to 600000", kExitUsage);
                return false;
            }
            out.timeoutMs = ms;
        }
    }
    // The trace is created before anything else happens: naming a file the command reads or writes
    // (its configuration, image or output, or the port) would destroy it. Asked of the file system,
    // so that another spelling of the same file is found too.
    if (out.trace) {
        std::vector<std::string> used = out.rest;
        if (out.port) {
            used.push_back(*out.port);
        }
        for (const auto& path : used) {
            if (!path.empty() && path[0] != '-' && SameFile(*out.trace, path)) {
                status = Fail(command + ": --trace " + *out.trace + " names " + path +
                                  ", which this command reads or writes; name another file for the trace",
                              kExitUsage);
                return false;
            }
        }
    }
    return true;
}

namespace {

// --yes among the arguments: taken out, and true.
bool TakeYes(std::vector<std::string>& rest) {
    const auto it = std::find(rest.begin(), rest.end(), "--yes");
    if (it == rest.end()) {
        return false;
    }
    rest.erase(it);
    return true;
}

int Help(const char* usage) {
    std::printf("%s\n\noptions:\n%s\npassword options:\n%s\n%s", usage, kLinkOptionsHelp,
                kPasswordOptionsHelp, kExitStatusPointer);
    return 0;
}

int Unexpected(const std::string& command, const std::string& arg) {
    return Fail(command + ": unexpected argument '" + arg + "' (see --help)", kExitUsage);
}

volatile sig_atomic_t g_stopWatching = 0;

extern "C" void StopWatching(int) {
    g_stopWatching = 1;
}

// Prints ports as they come ("+") and go ("-") until Ctrl+C or, with a limit, until it is up.
int WatchPorts(std::optional<uint32_t> forSeconds) {
    struct sigaction action {};
    action.sa_handler = StopWatching;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    std::vector<ComInfo> ports;
    EnumComPorts(ports);
    for (const auto& p : ports) {
        std::printf("  %s\t%s\n", EscapeControls(p.port).c_str(), ShownText(p.name).c_str());
    }
    std::fprintf(stderr, "talvero-cli: ports: watching; plug in the radio's cable (Ctrl+C ends)\n");
    std::fflush(stdout);
    PortWatcher watcher(std::move(ports));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(forSeconds.value_or(0));
    while (!g_stopWatching && (!forSeconds || std::chrono::steady_clock::now() < end)) {
        ::usleep(200 * 1000);
        std::vector<ComInfo> now;
        EnumComPorts(now);
        const PortChanges changes = watcher.Update(std::move(now));
        for (const auto& p : changes.added) {
            std::printf("+ %s\t%s\n", EscapeControls(p.port).c_str(), ShownText(p.name).c_str());
        }
        for (const auto& p : changes.removed) {
            std::printf("- %s\n", EscapeControls(p).c_str());
        }
        std::fflush(stdout);
    }
    return 0;
}

int RunPorts(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        std::puts(
            "usage: talvero-cli ports [--watch [--for SECONDS]]\n\n"
            "Lists the serial ports, one a line: the device path, a tab, and the friendly name.\n"
            "Ports named in TALVERO_EXTRA_PORTS (colon-separated, e.g. simulated radios) are listed too.\n\n"
            "--watch lists the ports present, each indented, then one line for each port that comes\n"
            "('+ PATH<tab>NAME') or goes ('- PATH') until Ctrl+C: plug in the radio's cable to see its "
            "port.\n"
            "--for SECONDS ends the watch after that long.");
        return 0;
    }
    bool watch = false;
    std::optional<uint32_t> forSeconds;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--watch") {
            watch = true;
        } else if (args[i] == "--for") {
            uint32_t seconds = 0;
            if (i + 1 >= args.size() || !ParseUnsigned(args[i + 1], 86400, seconds)) {
                return Fail("ports: --for needs seconds from 1 to 86400", kExitUsage);
            }
            forSeconds = seconds;
            ++i;
        } else {
            return Unexpected("ports", args[i]);
        }
    }
    if (forSeconds && !watch) {
        return Fail("ports: --for goes with --watch", kExitUsage);
    }
    if (watch) {
        return WatchPorts(forSeconds);
    }
    std::vector<ComInfo> ports;
    EnumComPorts(ports);
    for (const auto& p : ports) {
        std::printf("%s\t%s\n", EscapeControls(p.port).c_str(), ShownText(p.name).c_str());
    }
    return 0;
}

int RunSearch(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        return Help(
            "usage: talvero-cli search [--speed BPS] [--timeout MS]\n\n"
            "Asks every serial port in turn for a supported radio and prints the first port that has one.");
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("search", args, link, status)) {
        return status;
    }
    if (!link.rest.empty()) {
        return Unexpected("search", link.rest[0]);
    }
    link.port.reset();
    RadioSession s("search", link);
    if (int r = s.Report(SearchRadioPort(s.link, s.host, s.timings)); r != kExitOk) {
        return r;
    }
    std::printf("%s\n", EscapeControls(s.link.m_comPort).c_str());
    return 0;
}

// What the radio reports is outside text: cut and escaped before it reaches the terminal.
void PrintInformation(const CIniData& information) {
    std::printf("model: %s\nversion: %s\nbluetooth version: %s\n",
                ShownText(information.GetValue(kInformationKeys[0], u"")).c_str(),
                ShownText(information.GetValue(kInformationKeys[1], u"")).c_str(),
                ShownText(information.GetValue(kInformationKeys[2], u"")).c_str());
}

int RunInfo(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        return Help(
            "usage: talvero-cli info [LINK OPTIONS]\n\n"
            "Prints the radio's model, version and Bluetooth version, one 'name: value' line each.");
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("info", args, link, status)) {
        return status;
    }
    if (!link.rest.empty()) {
        return Unexpected("info", link.rest[0]);
    }
    RadioSession s("info", link);
    const RadioOutcome info = ReadRadioInformation(s.link, s.host, s.timings);
    if (int r = s.Report(info); r != kExitOk) {
        return r;
    }
    PrintInformation(info.data);
    return 0;
}

// Prints the loader's warnings (texts shortened to fit the radio) on stderr.
struct WarningPrinter : IDocumentObserver {
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) override {
        if (hint != kHintLoaded || !warnings) {
            return;
        }
        for (const auto& w : *warnings) {
            std::fprintf(stderr, "talvero-cli: warning: %s\n", ShownLine(w).c_str());
        }
    }
};

int RunRead(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        return Help(
            "usage: talvero-cli read -o FILE [--no-backup] [LINK OPTIONS]\n\n"
            "Reads the radio's configuration and saves it as a configuration file. A failed read leaves "
            "FILE\n"
            "as it was. Every configuration read is also kept as a dated backup in\n"
            "$XDG_DATA_HOME/Talvero/backups (~/.local/share/Talvero/backups) unless --no-backup is given:\n"
            "the whole configuration, and beside it the exact text the radio sent (read-....radio.txt).\n"
            "Then prints a summary line, the radio's model and versions, and the ICCID, IMEI and number\n"
            "the radio sent, one 'name: value' line each (neither under --quiet).");
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("read", args, link, status)) {
        return status;
    }
    std::string out;
    bool backup = true;
    for (size_t i = 0; i < link.rest.size(); ++i) {
        if (link.rest[i] == "-o" && i + 1 < link.rest.size()) {
            out = link.rest[++i];
        } else if (link.rest[i] == "--no-backup") {
            backup = false;
        } else {
            return Unexpected("read", link.rest[i]);
        }
    }
    if (out.empty()) {
        return Fail("read: missing -o FILE (see --help)", kExitUsage);
    }
    if (!CheckOutputFile("read", out, kExitFile, status)) {
        return status;
    }
    // A read takes a while; find out now, not afterwards, that its result could not be saved.
    const std::string folder = fs::path(out).has_parent_path() ? fs::path(out).parent_path().string() : ".";
    if (::access(folder.c_str(), W_OK) != 0) {
        return Fail("read: cannot write in " + folder + ": " + std::strerror(errno), kExitFile);
    }
    RadioSession s("read", link);
    {
        // The read's progress expects a configuration of the usual size.
        CTalveroDoc usual;
        usual.OnNewDocument();
        s.link.m_expectedReadBytes = CloneTextBytesOf(usual);
    }
    const RadioOutcome read = ReadConfiguration(s.link, s.host, s.timings);
    if (int r = s.Report(read); r != kExitOk) {
        return r;
    }
    CTalveroDoc doc;
    WarningPrinter warnings;
    doc.AddObserver(&warnings);
    doc.OnNewDocument();
    if (!doc.LoadSettings(read.data, false)) {
        std::fprintf(stderr,
                     "talvero-cli: read: warning: the radio's ID list holds an entry the program refuses\n");
    }
    doc.RemoveObserver(&warnings);
    if (backup) {
        const BackupResult b = SaveReadBackup(read.data, read.receivedText, DefaultBackupFolder());
        if (!b.error.ok()) {
            std::fprintf(stderr, "talvero-cli: read: warning: no backup kept: %s\n",
                         EscapeControls(b.error.detail).c_str());
        }
    }
    const ErrorInfo e = SaveAndWarn(doc, out);
    if (!e.ok()) {
        return Fail("read: cannot write " + out + ": " + e.detail, kExitFile);
    }
    s.Summary(read, std::to_string(read.data.size()) + " settings read into " + out);
    if (!s.quiet) {
        // The file form keeps none of these: they are shown now, and kept in the backup's radio text.
        PrintInformation(read.information);
        // Only what the radio sent: an empty line would look like a value.
        for (const auto& [name, key] :
             {std::pair{"ICCID", u"iccid"}, std::pair{"IMEI", u"imei"}, std::pair{"number", u"tel_number"}}) {
            const std::u16string value = read.data.GetValue(key, u"");
            if (!value.empty()) {
                std::printf("%s: %s\n", name, ShownText(value).c_str());
            }
        }
    }
    return 0;
}

int RunWrite(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        return Help(
            "usage: talvero-cli write FILE [--wlan-only] [--verify] [LINK OPTIONS]\n\n"
            "Writes a configuration file to the radio. --wlan-only sends only the WLAN and certificate "
            "settings.\n"
            "--verify reads the configuration back and compares it key by key with what was written: the\n"
            "keys that differ are listed on stderr (exit 16); a read-back that fails exits 17.\n"
            "A configuration whose ID list holds a duplicate entry is refused before the radio is touched.\n"
            "A configuration holding values that their pages would not accept (see 'check') is refused\n"
            "before the radio is touched (exit 18), each value listed on stderr, unless\n"
            "--allow-refused-values is given.");
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("write", args, link, status)) {
        return status;
    }
    std::string path;
    bool wlanOnly = false;
    bool verify = false;
    bool allowRefused = false;
    for (const auto& a : link.rest) {
        if (a == "--wlan-only") {
            wlanOnly = true;
        } else if (a == "--allow-refused-values") {
            allowRefused = true;
        } else if (a == "--verify") {
            verify = true;
        } else if (!a.empty() && a[0] == '-') {
            return Unexpected("write", a);
        } else if (path.empty()) {
            path = a;
        } else {
            return Fail("write: more than one FILE given (see --help)", kExitUsage);
        }
    }
    if (path.empty()) {
        return Fail("write: missing FILE (see --help)", kExitUsage);
    }
    CTalveroDoc doc;
    const ConfigLoadResult loaded = OpenConfigurationFile(doc, path);
    if (!loaded.ok()) {
        return Fail("write: " + path + ": " + loaded.Describe(), kExitFile);
    }
    LoadLanguageTexts();  // the reasons are the pages' own texts
    if (const auto refused = RefusedStoredValues(doc); !refused.empty() && !allowRefused) {
        for (const RefusedStoredValue& r : refused) {
            std::fprintf(stderr, "talvero-cli: write: %s\n",
                         ShownLine(DescribeRefusedStoredValue(r)).c_str());
        }
        return Fail("write: " + path + ": " + std::to_string(refused.size()) +
                        " values would not be accepted by their pages; nothing was sent (write them anyway "
                        "with --allow-refused-values)",
                    kExitPageRules);
    }
    doc.m_wlanOnly = wlanOnly ? 1 : 0;
    RadioSession s("write", link);
    const RadioOutcome written = WriteConfiguration(doc, s.link, s.host, s.timings, verify);
    if (written.stage != RadioStage::kVerify) {
        const int status = s.Report(written);
        if (status == kExitOk) {
            s.Summary(written, path + (wlanOnly ? " (Wireless LAN settings only)" : "") + " written");
            if (written.verified) {
                std::printf("verified: the radio holds every setting written\n");
            }
        }
        return status;
    }
    s.Finish();
    if (!written.differences.empty()) {
        LoadEnglishTexts();
        std::fprintf(stderr, "talvero-cli: write: written, but the radio holds %zu settings differently:\n",
                     written.differences.size());
        for (const auto& d : written.differences) {
            std::fprintf(stderr, "  %s\n", DescribeReadBack(doc, d).c_str());
        }
        return kExitVerifyDiffers;
    }
    std::fprintf(stderr,
                 "talvero-cli: write: written, but the configuration could not be read back: %s%s%s\n",
                 DescribeCode(written.result).c_str(), written.error.detail.empty() ? "" : ": ",
                 written.error.detail.c_str());
    return kExitVerifyFailed;
}

int RunInit(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        return Help(
            "usage: talvero-cli init [--yes] [LINK OPTIONS]\n\nInitialises the radio: resets it by writing "
            "the "
            "initialisation entry.\n"
            "Asks for confirmation on the terminal; --yes skips the question. Without a terminal and\n"
            "without --yes nothing is done.");
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("init", args, link, status)) {
        return status;
    }
    const bool yes = TakeYes(link.rest);
    if (!link.rest.empty()) {
        return Unexpected("init", link.rest[0]);
    }
    RadioSession s("init", link);
    s.host.m_assumeYes = yes;
    const RadioOutcome initialised = InitialiseRadio(s.link, s.host, s.timings);
    if (int r = s.Report(initialised); r != kExitOk) {
        return r;
    }
    s.Summary(initialised, "initialised");
    return 0;
}

int RunFirmware(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        return Help(
            "usage: talvero-cli firmware IMAGE [--yes] [LINK OPTIONS]\n\n"
            "Sends a firmware image (1 to 16777216 bytes, sent as it is) to the radio.\n"
            "Asks for confirmation on the terminal; --yes skips the question. Without a terminal and\n"
            "without --yes nothing is done.");
    }
    LinkArgs link;
    int status = 0;
    if (!ParseLinkArgs("firmware", args, link, status)) {
        return status;
    }
    const bool yes = TakeYes(link.rest);
    if (link.rest.size() != 1 || (!link.rest[0].empty() && link.rest[0][0] == '-')) {
        return Fail("firmware: expected exactly one IMAGE (see --help)", kExitUsage);
    }
    const std::string image = link.rest[0];
    // The image is checked before the radio is disturbed; the update checks it again.
    struct stat st;
    if (::stat(image.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return Fail("firmware: cannot read the firmware image " + image, kExitFile);
    }
    if (st.st_size <= 0 || static_cast<uint64_t>(st.st_size) > kMaxFirmwareSize) {
        return Fail("firmware: " + image + " has " + std::to_string(st.st_size) +
                        " bytes; a firmware image has 1 to 16777216",
                    kExitFile);
    }
    RadioSession s("firmware", link);
    s.host.m_assumeYes = yes;
    const RadioOutcome updated = UpdateRadioFirmware(image, s.link, s.host, s.timings);
    if (int r = s.Report(updated); r != kExitOk) {
        return r;
    }
    s.Summary(updated, "firmware " + image + " sent");
    return 0;
}

}  // namespace

std::vector<CliCommand> RadioCommands() {
    return {
        {"ports", "list the serial ports", RunPorts},
        {"search", "find the port a radio answers on", RunSearch},
        {"info", "show the radio's model and versions", RunInfo},
        {"read", "read the radio's configuration into a file", RunRead},
        {"write", "write a configuration file to the radio", RunWrite},
        {"init", "initialise the radio", RunInit},
        {"firmware", "update the radio's firmware", RunFirmware},
    };
}
