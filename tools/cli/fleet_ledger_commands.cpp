#include "fleet_ledger_commands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "radio_host.h"

const char kFleetLedgerHelp[] =
    "       talvero-cli fleet load [--template TEMPLATE.ini] FLEET.csv --ledger LEDGER [--replace]\n"
    "       talvero-cli fleet run TEMPLATE.ini --ledger LEDGER --port PATH [--port PATH ...] [--station "
    "NAME]\n"
    "                             [--lease MS] [--report REPORT.csv] [options of run above]\n"
    "       talvero-cli fleet status --ledger LEDGER\n"
    "       talvero-cli fleet report --ledger LEDGER -o REPORT.csv\n"
    "\n"
    "A ledger keeps the rows of a fleet file and every radio's outcome, for one station or several:\n"
    "LEDGER is a file (SQLite, created private when new) or postgresql://... (a server that several\n"
    "stations share: over its Unix socket, postgresql:///DB?host=/run/postgresql, or with TLS). The\n"
    "password is never part of LEDGER: --ledger-password-file FILE, or PGPASSWORD or PGPASSFILE.\n"
    "'load' checks FLEET.csv as 'check' does (against TEMPLATE.ini, or the factory configuration) and\n"
    "loads it; over a ledger whose rows are claimed or done only with --replace. 'run' on each station\n"
    "claims a row per radio: the row naming its ICCID, else the next * row; a claim holds a lease (MS,\n"
    "default 60000) renewed while the radio is worked on, so the rows of a station that stops come back\n"
    "once its lease has run out, and the radio it left is reported as abandoned. Radios the ledger has\n"
    "as done are skipped. 'status' shows rows done, in progress and left, per station, with the rate\n"
    "and the time left; 'report' writes every radio's outcome (no secret among them).\n"
    "\n"
    "  --ledger-password-file FILE  the ledger server's password (its first line)\n"
    "  --station NAME               this station's name in the ledger (default: the host name)\n";

namespace {

struct LedgerArgs {
    std::string address;
    std::string passwordFile;
    std::string output;
    std::string templatePath;
    bool replace = false;
    std::vector<std::string> files;
};

// Parses the options every ledger command shares; false (after the message) on a mistake.
bool ParseLedgerArgs(const std::string& command, const std::vector<std::string>& args, LedgerArgs& out,
                     int& status) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue =
            a == "--ledger" || a == "--ledger-password-file" || a == "-o" || a == "--template";
        if (takesValue && (i + 1 >= args.size() || args[i + 1].empty())) {
            status = Fail("fleet " + command + ": " + a + " needs a value (see --help)", kExitUsage);
            return false;
        }
        if (a == "--ledger") {
            out.address = args[++i];
        } else if (a == "--ledger-password-file") {
            out.passwordFile = args[++i];
        } else if (a == "-o" && command == "report") {
            out.output = args[++i];
        } else if (a == "--template" && command == "load") {
            out.templatePath = args[++i];
        } else if (a == "--replace" && command == "load") {
            out.replace = true;
        } else if (!a.empty() && a[0] == '-') {
            status = Fail("fleet " + command + ": unexpected argument '" + a + "' (see --help)", kExitUsage);
            return false;
        } else {
            out.files.push_back(a);
        }
    }
    if (out.address.empty()) {
        status = Fail("fleet " + command + ": missing --ledger LEDGER (see --help)", kExitUsage);
        return false;
    }
    return true;
}

// Writes `text` as `path`, private, whole or not at all.
ErrorInfo WriteWhole(const std::string& path, const std::string& text) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int e = errno;
        return {ErrnoToCode(e), e, path + ": " + std::strerror(e)};
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            const int e = n < 0 ? errno : EIO;
            ::close(fd);
            ::unlink(temp.c_str());
            return {ErrnoToCode(e), e, path + ": " + std::strerror(e)};
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.c_str());
        return {ErrnoToCode(e), e, path + ": " + std::strerror(e)};
    }
    return {};
}

}  // namespace

std::string DefaultStationName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') {
        return "station";
    }
    return name;
}

std::unique_ptr<IFleetLedger> OpenCliLedger(const std::string& address, const std::string& passwordFile) {
    LedgerAccess access;
    access.passwordFile = passwordFile;
    ErrorInfo e;
    auto ledger = OpenFleetLedger(address, access, e);
    if (!ledger) {
        std::fprintf(stderr, "talvero-cli: fleet: %s\n", e.detail.c_str());
    }
    return ledger;
}

int RunFleetLoad(const std::vector<std::string>& args) {
    LedgerArgs a;
    int status = 0;
    if (!ParseLedgerArgs("load", args, a, status)) {
        return status;
    }
    if (a.files.size() != 1) {
        return Fail("fleet load: expected FLEET.csv (see --help)", kExitUsage);
    }
    const FleetCheck check = CheckFleetForLedger(a.templatePath, a.files[0]);
    for (const auto& p : check.problems) {
        std::fprintf(stderr, "talvero-cli: fleet: %s: %s\n", a.files[0].c_str(),
                     DescribeFleetProblem(p).c_str());
    }
    if (!check.ok()) {
        return kExitFile;
    }
    auto ledger = OpenCliLedger(a.address, a.passwordFile);
    if (!ledger) {
        return kExitFile;
    }
    if (ErrorInfo e = ledger->Load(LedgerRowsOf(check.plan), a.replace); !e.ok()) {
        return Fail("fleet load: " + e.detail +
                        (e.code == kErrAccessDenied ? " (--replace loads over them; see --help)" : ""),
                    kExitFile);
    }
    std::printf("%zu rows loaded\n", check.plan.rows.size());
    return 0;
}

int RunFleetStatus(const std::vector<std::string>& args) {
    LedgerArgs a;
    int status = 0;
    if (!ParseLedgerArgs("status", args, a, status)) {
        return status;
    }
    if (!a.files.empty()) {
        return Fail("fleet status: unexpected argument '" + a.files[0] + "' (see --help)", kExitUsage);
    }
    auto ledger = OpenCliLedger(a.address, a.passwordFile);
    if (!ledger) {
        return kExitFile;
    }
    LedgerStatus s;
    if (ErrorInfo e = ledger->Status(s); !e.ok()) {
        return Fail("fleet status: " + e.detail, kExitFile);
    }
    std::fputs(DescribeLedgerStatus(s).c_str(), stdout);
    return 0;
}

int RunFleetReport(const std::vector<std::string>& args) {
    LedgerArgs a;
    int status = 0;
    if (!ParseLedgerArgs("report", args, a, status)) {
        return status;
    }
    if (!a.files.empty() || a.output.empty()) {
        return Fail("fleet report: expected --ledger LEDGER -o REPORT.csv (see --help)", kExitUsage);
    }
    auto ledger = OpenCliLedger(a.address, a.passwordFile);
    if (!ledger) {
        return kExitFile;
    }
    std::vector<LedgerOutcome> outcomes;
    if (ErrorInfo e = ledger->Outcomes(outcomes); !e.ok()) {
        return Fail("fleet report: " + e.detail, kExitFile);
    }
    if (ErrorInfo e = WriteWhole(a.output, LedgerReportCsv(outcomes)); !e.ok()) {
        return Fail("fleet report: " + e.detail, kExitFile);
    }
    std::printf("%zu radios reported\n", outcomes.size());
    return 0;
}
