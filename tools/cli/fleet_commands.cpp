// "fleet check" and "fleet run": one configuration template and a fleet file with a row per radio,
// written to radio after radio on one or more ports at once.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "document/read_backup.h"
#include "fleet/fleet_run.h"
#include "fleet_ledger_commands.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "radio_host.h"

namespace {

const char kFleetHelp[] =
    "usage: talvero-cli fleet check TEMPLATE.ini FLEET.csv\n"
    "       talvero-cli fleet run TEMPLATE.ini FLEET.csv --report REPORT.csv --port PATH [--port PATH ...]\n"
    "                             [--watch] [--again] [--speed BPS] [--password-file FILE | "
    "--password-stdin]\n"
    "                             [--timeout MS]\n"
    "                             [--poll MS] [--backups DIR]\n"
    "%s"
    "\n"
    "Writes one configuration template, with a row of FLEET.csv applied, to radio after radio.\n"
    "FLEET.csv (UTF-8, or UTF-16 with byte-order mark) has a header row of setting keys as the file form\n"
    "writes them (disp_name_01, def_id_01, access_pass, wlan_psk_01 ...), the column 'radio' (the ICCID a\n"
    "radio reports, or * for the next radio no other row names), and optionally cert_01 ... cert_04 (a\n"
    "certificate file, relative to FLEET.csv) with cert_password_01 ... cert_password_04. An empty cell\n"
    "keeps the template's value. 'check' checks all of it and lists every fault with its line; 'run'\n"
    "checks it the same way and touches no radio when anything is wrong.\n"
    "\n"
    "Each port takes radio after radio: read (kept as a backup; it names the ICCID), the row applied,\n"
    "written, read back and compared, and one line appended to REPORT.csv. After a radio the port\n"
    "waits until the radio is unplugged and the next one answers. A radio REPORT.csv has as done is\n"
    "skipped, and so is a row it has as done, unless --again. The run ends when every row has served a\n"
    "radio; Ctrl+C ends it once the radios in progress are finished.\n"
    "\n"
    "  --report FILE   the report, appended to (created with its header when new)\n"
    "  --port PATH     a port with a radio cable; give it once per cable\n"
    "  --watch         also take ports that appear while the run lasts (cables plugged in)\n"
    "  --again         handle radios and rows the report has as done once more\n"
    "  --speed BPS     bit rate (default 38400)\n"
    "  --password-file FILE  the radios' password, for radios that ask for one: the first line of FILE\n"
    "  --password-stdin      the same from the first line of standard input\n"
    "  --password TEXT       the same on the command line, where every local user can read it in the\n"
    "                        process list: prefer the two above\n"
    "  --timeout MS    reply time-out in milliseconds (default 4000; 6000 while writing)\n"
    "  --poll MS       how often a waiting port asks for the next radio (default 1000)\n"
    "  --backups DIR   folder of the read backups (default $XDG_DATA_HOME/Talvero/backups)\n"
    "\n"
    "exit status: 0 every radio of the run done (or none was needed), 1 a radio failed, 2 wrong\n"
    "arguments, 12 the template, the fleet file or the report is refused (each fault on stderr).\n";

bool Number(const std::string& text, uint32_t lo, uint32_t hi, uint32_t& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const unsigned long v = std::strtoul(text.c_str(), nullptr, 10);
    if (v < lo || v > hi) {
        return false;
    }
    value = static_cast<uint32_t>(v);
    return true;
}

// Every fault on stderr; true when there was none.
bool Checked(const FleetCheck& check, const std::string& fleet) {
    for (const auto& p : check.problems) {
        std::fprintf(stderr, "talvero-cli: fleet: %s: %s\n", EscapeControls(fleet).c_str(),
                     DescribeFleetProblem(p).c_str());
    }
    return check.ok();
}

// One line per radio on stdout; the live summary on stderr when it is a terminal.
class TerminalObserver : public IFleetObserver {
  public:
    explicit TerminalObserver(FleetRun*& run) : m_run(run), m_live(::isatty(STDERR_FILENO) == 1) {}

    void OnPortAdded(const std::string& port) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Clear();
        std::printf("%s  port %s taken\n", Now().c_str(), port.c_str());
        std::fflush(stdout);
        Summary();
    }
    void OnState(const std::string&, FleetRadioState, unsigned) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Summary();
    }
    void OnRadioEnded(const FleetReportLine& l, const ErrorInfo& reportError) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Clear();
        // The ICCID and the reason come from the radio: escaped, as they are in the report.
        std::printf("%s  %s  %s  %s  %s%s%s  %.1f s\n", l.time.substr(11).c_str(),
                    EscapeControls(l.port).c_str(),
                    l.iccid.empty() ? "(no ICCID)" : EscapeControls(l.iccid).c_str(),
                    l.row ? ("row " + std::to_string(l.row)).c_str() : "no row", l.result.c_str(),
                    l.reason.empty() ? "" : ": ", EscapeControls(l.reason).c_str(), l.seconds);
        std::fflush(stdout);
        if (!reportError.ok()) {
            std::fprintf(stderr, "talvero-cli: fleet: the report line was not written: %s\n",
                         EscapeControls(reportError.detail).c_str());
        }
        Summary();
    }

  private:
    static std::string Now() {
        const std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        char text[16];
        std::strftime(text, sizeof text, "%H:%M:%S", &tm);
        return text;
    }
    void Clear() {
        if (m_live) {
            std::fprintf(stderr, "\r%*s\r", 70, "");
        }
    }
    void Summary() {
        if (!m_live || !m_run) {
            return;
        }
        const FleetSummary s = m_run->Summary();
        std::fprintf(stderr, "\rdone %u / failed %u / skipped %u / waiting %u / rows left %u ", s.done,
                     s.failed, s.skipped, s.waiting, s.rowsLeft);
        std::fflush(stderr);
    }

    std::mutex m_lock;
    FleetRun*& m_run;
    bool m_live;
};

int RunCheck(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        return Fail("fleet check: expected TEMPLATE.ini FLEET.csv (see --help)", kExitUsage);
    }
    // Only the counts are needed here: the rows themselves are not kept.
    const FleetCheck check = CheckFleet(args[0], args[1], false);
    if (!Checked(check, args[1])) {
        return kExitFile;
    }
    std::printf("%zu rows: %zu named by ICCID, %zu for any radio\n", check.rowCount,
                check.rowCount - check.anyRadioRows, check.anyRadioRows);
    return 0;
}

int RunRun(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    FleetRunOptions options;
    options.backupFolder = DefaultBackupFolder();
    std::string ledgerAddress, ledgerPasswordFile;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (IsPasswordOption(a)) {
            int status = 0;
            if (!TakePasswordOption("fleet run", args, i, options.password, status)) {
                return status;
            }
            continue;
        }
        const bool takesValue = a == "--report" || a == "--port" || a == "--speed" || a == "--timeout" ||
                                a == "--poll" || a == "--backups" || a == "--ledger" ||
                                a == "--ledger-password-file" || a == "--station" || a == "--lease";
        if (takesValue && i + 1 >= args.size()) {
            return Fail("fleet run: " + a + " needs a value (see --help)", kExitUsage);
        }
        const std::string v = takesValue ? args[++i] : std::string();
        uint32_t n = 0;
        if (a == "--watch") {
            options.watch = true;
        } else if (a == "--again") {
            options.again = true;
        } else if (a == "--report" && !v.empty()) {
            options.reportPath = v;
        } else if (a == "--ledger" && !v.empty()) {
            ledgerAddress = v;
        } else if (a == "--ledger-password-file" && !v.empty()) {
            ledgerPasswordFile = v;
        } else if (a == "--station" && !v.empty()) {
            options.station = v;
        } else if (a == "--lease") {
            if (!Number(v, 1000, 3600000, options.leaseMs)) {
                return Fail("fleet run: --lease needs milliseconds from 1000 to 3600000", kExitUsage);
            }
        } else if (a == "--backups" && !v.empty()) {
            options.backupFolder = v;
        } else if (a == "--port" && !v.empty()) {
            options.ports.push_back(v);
        } else if (a == "--speed") {
            if (!Number(v, 300, 4000000, options.speed)) {
                return Fail("fleet run: --speed needs a bit rate from 300 to 4000000", kExitUsage);
            }
        } else if (a == "--timeout") {
            if (!Number(v, 10, 600000, n)) {
                return Fail("fleet run: --timeout needs milliseconds from 10 to 600000", kExitUsage);
            }
            options.timings.replyTimeoutMs = options.timings.writeTimeoutMs =
                options.timings.searchTimeoutMs = n;
        } else if (a == "--poll") {
            if (!Number(v, 10, 600000, options.pollMs)) {
                return Fail("fleet run: --poll needs milliseconds from 10 to 600000", kExitUsage);
            }
        } else if (takesValue) {
            return Fail("fleet run: " + a + " needs a value (see --help)", kExitUsage);
        } else if (!a.empty() && a[0] == '-') {
            return Fail("fleet run: unexpected argument '" + a + "' (see --help)", kExitUsage);
        } else {
            files.push_back(a);
        }
    }
    // With a ledger, the rows come from it and the report file is optional.
    if (files.size() != (ledgerAddress.empty() ? 2u : 1u)) {
        return Fail(ledgerAddress.empty() ? "fleet run: expected TEMPLATE.ini FLEET.csv (see --help)"
                                          : "fleet run: expected TEMPLATE.ini with --ledger (see --help)",
                    kExitUsage);
    }
    if (options.reportPath.empty() && ledgerAddress.empty()) {
        return Fail("fleet run: missing --report REPORT.csv (see --help)", kExitUsage);
    }
    if (options.ports.empty() && !options.watch) {
        return Fail("fleet run: give --port PATH for each cable, or --watch (see --help)", kExitUsage);
    }
    std::unique_ptr<IFleetLedger> ledger;
    FleetCheck check;
    if (ledgerAddress.empty()) {
        check = CheckFleet(files[0], files[1]);
        if (!Checked(check, files[1])) {
            return kExitFile;
        }
    } else {
        // The template alone: the rows are checked against it as each is applied.
        if (ErrorInfo e = LoadFleetTemplate(files[0], check.plan.templateMap); !e.ok()) {
            return Fail("fleet run: " + e.detail, kExitFile);
        }
        ledger = OpenCliLedger(ledgerAddress, ledgerPasswordFile);
        if (!ledger) {
            return kExitFile;
        }
        options.ledger = ledger.get();
        if (options.station.empty()) {
            options.station = DefaultStationName();
        }
    }

    // Ctrl+C asks the run to end; the signals are taken by a thread of their own, never by a
    // handler that could interrupt a worker inside the link.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    FleetRun* current = nullptr;
    TerminalObserver observer(current);
    FleetRun run(std::move(check.plan), options, &observer);
    current = &run;
    std::atomic<bool> over{false};
    std::thread signals([&] {
        const struct timespec look = {0, 100 * 1000 * 1000};
        while (!over) {
            if (sigtimedwait(&stopSignals, nullptr, &look) > 0) {
                std::fprintf(stderr,
                             "\ntalvero-cli: fleet: stopping once the radios in progress are finished\n");
                run.Stop();
            }
        }
    });
    const ErrorInfo e = run.Run();
    over = true;
    signals.join();
    if (!e.ok()) {
        return Fail("fleet run: report " + e.detail, kExitFile);
    }
    const FleetSummary s = run.Summary();
    std::fprintf(stderr, "%sdone %u, failed %u, skipped %u, rows left %u\n",
                 ::isatty(STDERR_FILENO) ? "\n" : "", s.done, s.failed, s.skipped, s.rowsLeft);
    return s.failed == 0 ? kExitOk : kExitFailed;
}

int RunFleet(const std::vector<std::string>& args) {
    if (args.empty() || WantsHelp(args)) {
        std::fprintf(args.empty() ? stderr : stdout, kFleetHelp, kFleetLedgerHelp);
        return args.empty() ? kExitUsage : 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    LoadLanguageTexts();  // a refused value reads as the program's message for its row
    if (args[0] == "check") {
        return RunCheck(rest);
    }
    if (args[0] == "run") {
        return RunRun(rest);
    }
    if (args[0] == "load") {
        return RunFleetLoad(rest);
    }
    if (args[0] == "status") {
        return RunFleetStatus(rest);
    }
    if (args[0] == "report") {
        return RunFleetReport(rest);
    }
    return Fail(
        "fleet: unknown subcommand '" + args[0] + "' (check, run, load, status or report; see --help)",
        kExitUsage);
}

}  // namespace

CliCommand FleetCommand() {
    return {"fleet", "write a template and a row per radio to many radios (check, run)", RunFleet};
}
