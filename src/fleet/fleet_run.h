#pragma once
// A fleet run: one worker per port, each handling radio after radio (ProvisionRadio) until every
// row of the fleet file has served a radio, or until Stop.
//
// How a port knows that the next radio arrived: after a radio ends, its worker asks the port with
// the information exchange every `pollMs`. While the radio just handled still answers, nothing
// happens; once an exchange went unanswered (the technician unplugged it, or the port itself went
// away) the next radio that answers is the next one to handle. A radio plugged back after it was
// done is read, recognised by its ICCID and skipped.
//
// Rows: a radio takes the row naming its ICCID, else the first unused "*" row. A row is used for
// good only when its radio ends done; a radio that fails gives its row back. Radios and rows done
// in the report of an earlier run are skipped, unless `again`.
//
// With a ledger (`ledger` set) the rows come from the ledger instead, shared with the other
// stations on it: each radio claims its row there under a lease that the run renews while the
// radio is worked on, each radio's end is recorded there, and the radios and rows the ledger has
// as done are skipped. The plan then gives only the template; the report file is optional. The
// run ends when the ledger has no row left and none in progress.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "fleet/fleet_file.h"
#include "fleet/fleet_ledger.h"
#include "fleet/fleet_radio.h"
#include "fleet/fleet_report.h"
#include "platform/posix/port_enum.h"

struct FleetRunOptions {
    std::vector<std::string> ports;
    uint32_t speed = 38400;
    std::optional<std::u16string> password;
    CloneTimings timings;
    uint32_t pollMs = 1000;  // between looks for the next radio, and for new ports
    bool again = false;      // handle radios and rows the report has as done once more
    bool watch = false;      // also take ports that appear while the run lasts
    std::function<std::vector<ComInfo>()> listPorts;  // for `watch`; unset: the machine's ports
    std::string reportPath;
    std::string backupFolder;

    IFleetLedger* ledger = nullptr;  // shared rows; see above
    std::string station;             // this station's name in the ledger
    uint32_t leaseMs = 60000;        // a claim's lease, renewed every third of it
    LedgerClock clock;               // for the renewals; unset: the wall clock
};

// Told of everything from the workers' threads; implementations lock what they share.
class IFleetObserver {
  public:
    virtual ~IFleetObserver() = default;
    virtual void OnPortAdded(const std::string& /*port*/) {}
    virtual void OnState(const std::string& /*port*/, FleetRadioState /*state*/, unsigned /*rowLine*/) {}
    virtual void OnProgress(const std::string& /*port*/, uint32_t /*value*/) {}
    // `reportError` is set when the line could not be appended to the report.
    virtual void OnRadioEnded(const FleetReportLine& /*line*/, const ErrorInfo& /*reportError*/) {}
};

struct FleetSummary {
    unsigned done = 0, failed = 0, skipped = 0;
    unsigned waiting = 0;   // ports waiting for a radio
    unsigned rowsLeft = 0;  // rows no radio has been done with
};

class FleetRun {
  public:
    FleetRun(FleetPlan plan, FleetRunOptions options, IFleetObserver* observer = nullptr);
    ~FleetRun();
    FleetRun(const FleetRun&) = delete;
    FleetRun& operator=(const FleetRun&) = delete;

    // Reads the report's history and checks that the report can be written; nothing starts when
    // it fails. Then runs until the end and returns.
    ErrorInfo Run();
    // Ends the run once the radios in progress are finished; safe from any thread.
    void Stop();
    FleetSummary Summary() const;
    // True when no radio of the run failed.
    bool AllSucceeded() const { return Summary().failed == 0; }

  private:
    void StartWorker(const std::string& port);
    void Worker(const std::string& port);
    FleetPick Pick(const std::string& port, const std::string& iccid);
    void Finish(const FleetRow& row, const std::string& iccid, bool done);
    // With a ledger: records the radio's end there; `error` says why it could not.
    void RecordInLedger(FleetReportLine& line, ErrorInfo& error);
    void RefreshLedger();
    int64_t Now() const;    // counts and renewals, from Run's loop (lock not held)
    bool Finished() const;  // every row used and no radio in progress (lock held)
    void SetWaiting(const std::string& port, bool waiting);

    const FleetPlan m_plan;
    const FleetRunOptions m_options;
    IFleetObserver* m_observer;
    FleetReport m_report;
    FleetHistory m_history;

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_stop = false;
    bool m_end = false;
    std::vector<bool> m_rowUsed;
    std::set<std::string> m_doneRadios;  // this run
    unsigned m_busy = 0;
    FleetSummary m_counts;
    std::set<std::string> m_waitingPorts;
    std::map<std::string, std::thread> m_workers;
    std::mutex m_backupLock;

    // Claims held in the ledger, by port (one radio per port at a time).
    struct Held {
        FleetRow row;
        LedgerClaim claim;
        int64_t renewedAt = 0;
    };
    std::map<std::string, Held> m_held;
    unsigned m_ledgerLeft = 1, m_ledgerBusy = 0;  // rows left and in progress across the stations
    bool m_ledgerKnown = false;
};
