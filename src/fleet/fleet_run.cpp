#include "fleet/fleet_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "document/talvero_doc.h"
#include "fleet/fleet_ledger.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"

namespace {

// The information exchange that looks for a radio: no prompts, no progress.
class QuietHost : public ICloneHost {
  public:
    void RunJob(CloneJob& job, uint32_t, int32_t) override { CloneThreadProc(job, nullptr); }
    bool AskClonePassword(std::u16string&) override { return false; }
    bool Confirm(RadioQuestion) override { return true; }
};

}  // namespace

FleetRun::FleetRun(FleetPlan plan, FleetRunOptions options, IFleetObserver* observer)
    : m_plan(std::move(plan)),
      m_options(std::move(options)),
      m_observer(observer),
      m_report(m_options.reportPath),
      m_rowUsed(m_plan.rows.size(), false) {}

FleetRun::~FleetRun() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = m_end = true;
    }
    m_changed.notify_all();
    for (auto& [port, worker] : m_workers) {
        if (worker.joinable()) {
            worker.join();
        }
    }
}

void FleetRun::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
}

FleetSummary FleetRun::Summary() const {
    std::lock_guard<std::mutex> lock(m_lock);
    FleetSummary s = m_counts;
    s.waiting = static_cast<unsigned>(m_waitingPorts.size());
    s.rowsLeft = 0;
    if (m_options.ledger) {
        s.rowsLeft = m_ledgerLeft;
        return s;
    }
    for (bool used : m_rowUsed) {
        s.rowsLeft += used ? 0 : 1;
    }
    return s;
}

bool FleetRun::Finished() const {
    if (m_busy != 0) {
        return false;
    }
    if (m_options.ledger) {
        return m_ledgerKnown && m_ledgerLeft == 0 && m_ledgerBusy == 0;
    }
    for (bool used : m_rowUsed) {
        if (!used) {
            return false;
        }
    }
    return true;
}

ErrorInfo FleetRun::Run() {
    // With a ledger, the ledger keeps the history and the report file is optional.
    if (!m_options.ledger) {
        if (ErrorInfo e = ReadFleetHistory(m_options.reportPath, m_history); !e.ok()) {
            return e;
        }
    }
    if (!m_options.ledger || !m_options.reportPath.empty()) {
        // A report that cannot be written would lose what the run did: find out before any radio.
        const int fd = ::open(m_options.reportPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd < 0) {
            const int e = errno;
            return ErrorInfo{ErrnoToCode(e), e, m_options.reportPath + ": " + std::strerror(e)};
        }
        ::close(fd);
    }
    if (m_options.ledger) {
        RefreshLedger();
    }
    {
        std::unique_lock<std::mutex> lock(m_lock);
        if (!m_options.again) {
            for (size_t i = 0; i < m_plan.rows.size(); ++i) {
                if (m_history.doneRows.count(m_plan.rows[i].line)) {
                    m_rowUsed[i] = true;
                }
            }
        }
        for (const auto& port : m_options.ports) {
            StartWorker(port);
        }
    }
    std::unique_ptr<PortWatcher> watcher;
    auto listPorts = m_options.listPorts;
    if (m_options.watch) {
        if (!listPorts) {
            listPorts = [] {
                std::vector<ComInfo> ports;
                EnumComPorts(ports);
                return ports;
            };
        }
        watcher = std::make_unique<PortWatcher>(listPorts());
    }
    std::unique_lock<std::mutex> lock(m_lock);
    while (!m_stop && !Finished()) {
        m_changed.wait_for(lock, std::chrono::milliseconds(m_options.pollMs));
        if (m_options.ledger) {
            lock.unlock();
            RefreshLedger();
            lock.lock();
        }
        if (watcher && !m_stop) {
            lock.unlock();
            const PortChanges changes = watcher->Update(listPorts());
            lock.lock();
            for (const auto& added : changes.added) {
                StartWorker(added.port);
            }
        }
    }
    m_end = true;
    lock.unlock();
    m_changed.notify_all();
    for (auto& [port, worker] : m_workers) {
        worker.join();
    }
    return {};
}

void FleetRun::StartWorker(const std::string& port) {
    if (m_workers.count(port)) {
        return;
    }
    m_workers.emplace(port, std::thread(&FleetRun::Worker, this, port));
    if (m_observer) {
        m_observer->OnPortAdded(port);
    }
}

void FleetRun::SetWaiting(const std::string& port, bool waiting) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (waiting) {
        m_waitingPorts.insert(port);
    } else {
        m_waitingPorts.erase(port);
    }
}

void FleetRun::Worker(const std::string& port) {
    QuietHost quiet;
    bool needGap = false;  // the radio just handled is still on the cable until a look goes unanswered
    SetWaiting(port, true);
    if (m_observer) {
        m_observer->OnState(port, FleetRadioState::kWaiting, 0);
    }
    for (;;) {
        bool look = true;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_end || m_stop) {
                break;
            }
            // With every row taken, a radio is not even asked for: a failure elsewhere may give
            // a row back.
            look = m_options.ledger ? m_ledgerLeft > 0
                                    : std::find(m_rowUsed.begin(), m_rowUsed.end(), false) != m_rowUsed.end();
        }
        if (!look) {
            std::unique_lock<std::mutex> lock(m_lock);
            m_changed.wait_for(lock, std::chrono::milliseconds(m_options.pollMs));
            continue;
        }
        CloneLinkSettings link{port, m_options.speed, u""};
        const RadioOutcome info = ReadRadioInformation(link, quiet, m_options.timings);
        // A refused radio is a radio too: its failure is reported once, like any other.
        const bool present = info.ok() || (info.result == kErrBadUnit && info.error.sysErrno == 0);
        bool start = false;
        if (!present) {
            needGap = false;
        } else if (!needGap) {
            std::lock_guard<std::mutex> lock(m_lock);
            if (!m_end && !m_stop && !Finished()) {
                ++m_busy;
                m_waitingPorts.erase(port);
                start = true;
            }
        }
        if (start) {
            FleetRadioContext context;
            context.port = port;
            context.speed = m_options.speed;
            context.password = m_options.password;
            context.timings = m_options.timings;
            context.model = ShownText(info.data.GetValue(u"model", u""));
            context.onState = [this, &port](FleetRadioState s, unsigned row) {
                if (m_observer) {
                    m_observer->OnState(port, s, row);
                }
            };
            context.onProgress = [this, &port](uint32_t value) {
                if (m_observer) {
                    m_observer->OnProgress(port, value);
                }
            };
            context.pick = [this, &port](const std::string& iccid) { return Pick(port, iccid); };
            context.finish = [this](const FleetRow& row, const std::string& iccid, bool done) {
                Finish(row, iccid, done);
            };
            context.saveBackup = [this](const RadioOutcome& read) {
                // Two radios read in the same second must not pick the same backup name.
                std::lock_guard<std::mutex> lock(m_backupLock);
                return SaveReadBackup(read.data, read.receivedText, m_options.backupFolder);
            };
            FleetReportLine line = ProvisionRadio(m_plan.templateMap, context);
            ErrorInfo reportError;
            if (m_options.ledger) {
                RecordInLedger(line, reportError);
            }
            if (!m_options.ledger || !m_options.reportPath.empty()) {
                const ErrorInfo appended = m_report.Append(line);
                if (reportError.ok()) {
                    reportError = appended;
                }
            }
            {
                std::lock_guard<std::mutex> lock(m_lock);
                --m_busy;
                if (line.result == kFleetDone) {
                    ++m_counts.done;
                } else if (line.result == kFleetSkipped) {
                    ++m_counts.skipped;
                } else {
                    ++m_counts.failed;
                }
                m_waitingPorts.insert(port);
            }
            if (m_observer) {
                m_observer->OnRadioEnded(line, reportError);
                m_observer->OnState(port, FleetRadioState::kWaiting, 0);
            }
            m_changed.notify_all();
            needGap = true;
        }
        std::unique_lock<std::mutex> lock(m_lock);
        m_changed.wait_for(lock, std::chrono::milliseconds(m_options.pollMs),
                           [this] { return m_end || m_stop; });
    }
    SetWaiting(port, false);
}

FleetPick FleetRun::Pick(const std::string& port, const std::string& iccid) {
    FleetPick pick;
    if (m_options.ledger) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_doneRadios.count(iccid)) {
                pick.skip = true;
                pick.reason = "done already";
                return pick;
            }
        }
        Held held;
        const ErrorInfo e =
            m_options.ledger->Claim(m_options.station, port, iccid, m_options.leaseMs, held.claim);
        if (!e.ok()) {
            pick.reason = e.detail;
            return pick;
        }
        if (!held.claim.rowId) {
            pick.skip = held.claim.skip;
            pick.reason = held.claim.reason;
            return pick;
        }
        if (!DeserializeFleetRow({held.claim.rowId, held.claim.line, "*", held.claim.values}, held.row)) {
            // Given back at once: the row cannot serve any radio, and is reported with this one.
            LedgerOutcome outcome;
            outcome.station = m_options.station;
            outcome.port = port;
            outcome.iccid = iccid;
            outcome.line = held.claim.line;
            outcome.result = kFleetFailed;
            outcome.reason = "the ledger's row cannot be read";
            m_options.ledger->Finish(held.claim.token, outcome);
            pick.reason = outcome.reason;
            return pick;
        }
        held.renewedAt = Now();
        std::lock_guard<std::mutex> lock(m_lock);
        Held& kept = m_held[port] = std::move(held);
        pick.row = &kept.row;
        return pick;
    }
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_doneRadios.count(iccid) || (!m_options.again && m_history.doneRadios.count(iccid))) {
        pick.skip = true;
        pick.reason = "done already";
        return pick;
    }
    const std::u16string wide = Utf8ToUtf16(iccid);
    for (size_t i = 0; i < m_plan.rows.size(); ++i) {
        if (m_plan.rows[i].radio == wide) {
            if (m_rowUsed[i]) {
                pick.reason = "its row is taken already";
                return pick;
            }
            m_rowUsed[i] = true;
            pick.row = &m_plan.rows[i];
            return pick;
        }
    }
    for (size_t i = 0; i < m_plan.rows.size(); ++i) {
        if (m_plan.rows[i].AnyRadio() && !m_rowUsed[i]) {
            m_rowUsed[i] = true;
            pick.row = &m_plan.rows[i];
            return pick;
        }
    }
    pick.reason = "no row of the fleet file is left for this radio";
    return pick;
}

void FleetRun::Finish(const FleetRow& row, const std::string& iccid, bool done) {
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (done) {
            m_doneRadios.insert(iccid);
        } else if (!m_options.ledger) {
            m_rowUsed[static_cast<size_t>(&row - m_plan.rows.data())] = false;
        }
    }
    m_changed.notify_all();
}

int64_t FleetRun::Now() const {
    return m_options.clock ? m_options.clock() : LedgerWallClock();
}

void FleetRun::RecordInLedger(FleetReportLine& line, ErrorInfo& error) {
    const int64_t end = Now();
    LedgerOutcome outcome;
    outcome.station = m_options.station;
    outcome.port = line.port;
    outcome.model = line.model;
    outcome.iccid = line.iccid;
    outcome.line = line.row;
    outcome.startMs = end - static_cast<int64_t>(line.seconds * 1000);
    outcome.endMs = end;
    outcome.backup = line.backup;
    if (line.result == kFleetDone) {
        outcome.verify = "same";
    } else if (line.reason.rfind("verify: ", 0) == 0) {
        outcome.verify = "differs";
    }
    std::optional<Held> held;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (auto it = m_held.find(line.port); it != m_held.end()) {
            held = std::move(it->second);
            m_held.erase(it);
        }
    }
    if (!held) {
        outcome.result = line.result;
        outcome.reason = line.reason;
        error = m_options.ledger->Record(outcome);
        return;
    }
    // A radio written while its row went to another station shares that row's identity: it is
    // not done, whatever the radio said.
    if (line.result == kFleetDone &&
        m_options.ledger->Renew(held->claim.token, m_options.leaseMs).code == kErrNotFound) {
        line.result = kFleetFailed;
        line.reason =
            "written, but the row's lease ran out and another station took the row: write this radio again";
        std::lock_guard<std::mutex> lock(m_lock);
        m_doneRadios.erase(line.iccid);
    }
    outcome.result = line.result;
    outcome.reason = line.reason;
    error = m_options.ledger->Finish(held->claim.token, outcome);
    if (error.code == kErrNotFound) {
        error = {};  // said in the line already, or a failure whose row is given back either way
    }
}

void FleetRun::RefreshLedger() {
    LedgerStatus status;
    const ErrorInfo e = m_options.ledger->Status(status);
    std::vector<std::string> tokens;
    const int64_t now = Now();
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (e.ok()) {
            m_ledgerKnown = true;
            m_ledgerLeft = status.left;
            m_ledgerBusy = status.inProgress;
        }
        for (auto& [port, held] : m_held) {
            if (now - held.renewedAt >= m_options.leaseMs / 3) {
                tokens.push_back(held.claim.token);
                held.renewedAt = now;
            }
        }
    }
    for (const auto& token : tokens) {
        m_options.ledger->Renew(token, m_options.leaseMs);
    }
    m_changed.notify_all();
}
