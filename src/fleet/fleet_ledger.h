#pragma once
// The fleet ledger: the rows of a fleet file and what became of each radio, kept in a database so
// that several stations can share one fleet. Two back ends stand behind one interface: SQLite (a
// single file, the default, for one station or a few on one PC) and PostgreSQL (a server that
// several stations reach, `postgresql://…`).
//
// A station claims a row for the radio on its cable: the row naming the radio's ICCID first, then
// a row the same radio held before whose lease ran out, then the first free "*" row. Claims are
// atomic: no row is ever held by two radios. A claim carries a lease that the station renews
// while it works on the radio; a station that dies stops renewing, and once the lease has run out
// the row is free again. The next claim of such a row records the abandoned radio (its station,
// port and ICCID: the radio may be half-written), so that nobody forgets it. Every radio's end is
// recorded as an outcome: station, port, ICCID, row, start and end, result, reason, backup file
// and the verify result.
//
// The rows hold per-radio values, some of them secrets (passwords, keys): they are read only to
// write a radio, and no status or outcome ever carries them. Time is read from the clock given
// when the ledger is opened, so tests drive leases without waiting.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fleet/fleet_file.h"
#include "platform/error_codes.h"

// Milliseconds since 1970-01-01 UTC.
using LedgerClock = std::function<int64_t()>;
int64_t LedgerWallClock();

// One row as the ledger keeps it.
struct LedgerRow {
    int64_t id = 0;
    unsigned line = 0;   // the fleet file's line
    std::string radio;   // an ICCID, or "*"
    std::string values;  // the row's values (SerializeFleetRow); may hold secrets
};

// A claimed row, or why the radio gets none.
struct LedgerClaim {
    int64_t rowId = 0;  // 0: no row
    unsigned line = 0;
    std::string values;
    std::string token;   // names this claim for Renew and Finish
    bool skip = false;   // the radio is done already
    std::string reason;  // without a row: why
};

inline constexpr char kLedgerAbandoned[] = "abandoned";

// One radio's end: "done", "failed", "skipped" or kLedgerAbandoned (a lease that ran out).
struct LedgerOutcome {
    std::string station;
    std::string port;
    std::string model;
    std::string iccid;
    unsigned line = 0;  // 0: no row
    int64_t startMs = 0, endMs = 0;
    std::string result;
    std::string reason;
    std::string backup;
    std::string verify;  // "same", "differs", or empty when the radio was not read back
};

struct LedgerStationStatus {
    std::string station;
    unsigned done = 0, failed = 0, inProgress = 0;
    double perHour = 0;  // radios done in the last window, as an hourly rate
};

struct LedgerStatus {
    unsigned rows = 0;
    unsigned done = 0;        // rows used for good
    unsigned inProgress = 0;  // rows held under a live lease
    unsigned left = 0;        // rows free, or whose lease ran out
    unsigned failed = 0;      // radios that failed (their rows went back)
    std::vector<LedgerStationStatus> stations;
    double perHour = 0;        // every station together, over the last window
    int64_t secondsLeft = -1;  // at that rate; -1: no rate yet
};

class IFleetLedger {
  public:
    virtual ~IFleetLedger() = default;
    // Replaces the rows. Refused while a row is held or used, unless `replace`; outcomes stay.
    virtual ErrorInfo Load(const std::vector<LedgerRow>& rows, bool replace) = 0;
    // Claims a row for the radio `iccid` on the station's port, leased for `leaseMs`.
    virtual ErrorInfo Claim(const std::string& station, const std::string& port, const std::string& iccid,
                            int64_t leaseMs, LedgerClaim& claim) = 0;
    // Extends a claim's lease; kErrNotFound when the claim is gone (its lease ran out and another
    // station took the row).
    virtual ErrorInfo Renew(const std::string& token, int64_t leaseMs) = 0;
    // Ends a claim: "done" uses the row for good, anything else gives it back. The outcome is
    // recorded either way; kErrNotFound (outcome still recorded) when the claim was lost.
    virtual ErrorInfo Finish(const std::string& token, const LedgerOutcome& outcome) = 0;
    // Records the end of a radio that held no row (a failed read, a skipped radio).
    virtual ErrorInfo Record(const LedgerOutcome& outcome) = 0;
    virtual ErrorInfo Rows(std::vector<LedgerRow>& rows) = 0;
    virtual ErrorInfo Outcomes(std::vector<LedgerOutcome>& outcomes) = 0;
    virtual ErrorInfo Status(LedgerStatus& status) = 0;
};

// How the ledger is reached beyond its address.
struct LedgerAccess {
    LedgerClock clock;         // unset: the wall clock
    std::string passwordFile;  // PostgreSQL: the password's first line; else PGPASSWORD / PGPASSFILE
    int64_t rateWindowMs = 15 * 60 * 1000;  // the window of the live rate
};

// "postgresql://…" or "postgres://…" opens a server; anything else is a SQLite file, created
// private to its owner when new.
std::unique_ptr<IFleetLedger> OpenFleetLedger(const std::string& address, const LedgerAccess& access,
                                              ErrorInfo& error);
bool IsServerLedger(const std::string& address);

// The row's values as the ledger stores them, and back. Deserializing checks nothing beyond the
// form: ApplyFleetRow checks the values as it applies them.
std::string SerializeFleetRow(const FleetRow& row);
bool DeserializeFleetRow(const LedgerRow& stored, FleetRow& row);

// The template of a run on a ledger, in its file form, as CheckFleet reads it.
ErrorInfo LoadFleetTemplate(const std::string& templatePath, CIniData& templateMap);
// The plan's rows as a ledger keeps them.
std::vector<LedgerRow> LedgerRowsOf(const FleetPlan& plan);
// Checks a fleet file for loading into a ledger: against the template when one is given, else
// against the factory configuration (each station checks its rows again against its own template
// as it applies them).
FleetCheck CheckFleetForLedger(const std::string& templatePath, const std::string& fleetPath);

// The outcomes as CSV (UTF-8, LF), no secret among them:
//   station,port,model,iccid,row,start,end,result,reason,verify,backup
std::string LedgerReportCsv(const std::vector<LedgerOutcome>& outcomes);
// Text lines of the status: totals, then one line per station.
std::string DescribeLedgerStatus(const LedgerStatus& status);
// "YYYY-MM-DD HH:MM:SS" (UTC) of a ledger time.
std::string LedgerTimeText(int64_t ms);

// Back ends; see OpenFleetLedger.
std::unique_ptr<IFleetLedger> OpenSqliteLedger(const std::string& path, const LedgerAccess& access,
                                               ErrorInfo& error);
std::unique_ptr<IFleetLedger> OpenPostgresLedger(const std::string& address, const LedgerAccess& access,
                                                 ErrorInfo& error);

// Shared by the back ends: the status from the rows' states and the outcomes' counts.
struct LedgerCounts {
    struct Row {
        std::string station;
        bool done = false;
        bool held = false;  // claimed under a live lease
    };
    struct Ended {
        std::string station;
        std::string result;
        int64_t endMs = 0;
    };
    std::vector<Row> rows;
    std::vector<Ended> ended;
};
LedgerStatus SummarizeLedger(const LedgerCounts& counts, int64_t nowMs, int64_t windowMs);
