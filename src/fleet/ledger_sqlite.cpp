// The SQLite ledger: one file. Every claim is one IMMEDIATE transaction, so claims by several
// connections (threads or processes on this PC) follow one another; the file is in WAL mode so that
// readers (status, report) never wait for them.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>

#include "fleet/fleet_ledger.h"

namespace {

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS fleet_rows("
    " id INTEGER PRIMARY KEY, line INTEGER NOT NULL, radio TEXT NOT NULL, vals TEXT NOT NULL,"
    " state TEXT NOT NULL DEFAULT 'free', token TEXT, station TEXT, port TEXT, iccid TEXT,"
    " lease_until INTEGER, claimed_at INTEGER);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_free ON fleet_rows(state, radio, id);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_lease ON fleet_rows(state, lease_until);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_iccid ON fleet_rows(iccid);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_radio ON fleet_rows(radio);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_token ON fleet_rows(token);"
    "CREATE TABLE IF NOT EXISTS fleet_outcomes("
    " id INTEGER PRIMARY KEY, station TEXT, port TEXT, model TEXT, iccid TEXT, line INTEGER,"
    " start_ms INTEGER, end_ms INTEGER, result TEXT, reason TEXT, backup TEXT, verify TEXT);";

// A prepared statement with positional parameters.
class Stmt {
  public:
    Stmt(sqlite3* db, const char* sql) { m_rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr); }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    Stmt& Bind(const std::string& text) {
        sqlite3_bind_text(m_stmt, ++m_index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Stmt& Bind(int64_t value) {
        sqlite3_bind_int64(m_stmt, ++m_index, value);
        return *this;
    }
    // True with a row; false at the end or on an error (see Ok).
    bool Step() {
        if (m_rc != SQLITE_OK && m_rc != SQLITE_ROW) {
            return false;
        }
        m_rc = sqlite3_step(m_stmt);
        return m_rc == SQLITE_ROW;
    }
    bool Ok() const { return m_rc == SQLITE_OK || m_rc == SQLITE_ROW || m_rc == SQLITE_DONE; }
    int64_t Int(int column) const { return sqlite3_column_int64(m_stmt, column); }
    std::string Text(int column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(m_stmt, column)))
                    : std::string();
    }

  private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_OK;
    int m_index = 0;
};

class SqliteLedger : public IFleetLedger {
  public:
    SqliteLedger(sqlite3* db, std::string path, LedgerAccess access)
        : m_db(db), m_path(std::move(path)), m_access(std::move(access)), m_fileLock(FileLock(m_path)) {}
    ~SqliteLedger() override { sqlite3_close(m_db); }

    ErrorInfo Init() {
        sqlite3_busy_timeout(m_db, 60000);
        if (sqlite3_exec(m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr,
                         nullptr) != SQLITE_OK ||
            sqlite3_exec(m_db, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) {
            return Error();
        }
        return {};
    }

    ErrorInfo Load(const std::vector<LedgerRow>& rows, bool replace) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Transaction tx(*this);
        if (!tx.ok) {
            return Error();
        }
        Stmt used(m_db, "SELECT count(*) FROM fleet_rows WHERE state <> 'free'");
        if (!used.Step()) {
            return Error();
        }
        if (used.Int(0) > 0 && !replace) {
            return {kErrAccessDenied, 0,
                    std::to_string(used.Int(0)) + " rows of the ledger are claimed or done already"};
        }
        if (sqlite3_exec(m_db, "DELETE FROM fleet_rows", nullptr, nullptr, nullptr) != SQLITE_OK) {
            return Error();
        }
        for (const auto& row : rows) {
            Stmt insert(m_db, "INSERT INTO fleet_rows(line, radio, vals) VALUES(?, ?, ?)");
            insert.Bind(row.line).Bind(row.radio).Bind(row.values).Step();
            if (!insert.Ok()) {
                return Error();
            }
        }
        return tx.Commit() ? ErrorInfo{} : Error();
    }

    ErrorInfo Claim(const std::string& station, const std::string& port, const std::string& iccid,
                    int64_t leaseMs, LedgerClaim& claim) override {
        std::lock_guard<std::mutex> lock(m_lock);
        claim = LedgerClaim{};
        const int64_t now = m_access.clock();
        Transaction tx(*this);
        if (!tx.ok) {
            return Error();
        }
        {
            Stmt done(m_db, "SELECT 1 FROM fleet_rows WHERE state = 'done' AND iccid = ? LIMIT 1");
            if (done.Bind(iccid).Step()) {
                claim.skip = true;
                claim.reason = "done already";
                return tx.Commit() ? ErrorInfo{} : Error();
            }
            if (!done.Ok()) {
                return Error();
            }
        }
        // The row naming the radio, then a row the radio held before its station stopped, then the
        // first row whose holder stopped, then the first free "*" row.
        const char* const picks[] = {
            "SELECT id, line, vals, state, lease_until, station, port, iccid, claimed_at FROM fleet_rows"
            " WHERE radio = ?1",
            "SELECT id, line, vals, state, lease_until, station, port, iccid, claimed_at FROM fleet_rows"
            " WHERE state = 'held' AND radio = '*' AND iccid = ?1 AND lease_until < ?2 LIMIT 1",
            "SELECT id, line, vals, state, lease_until, station, port, iccid, claimed_at FROM fleet_rows"
            " WHERE state = 'held' AND radio = '*' AND lease_until < ?2 ORDER BY lease_until, id LIMIT 1",
            "SELECT id, line, vals, state, lease_until, station, port, iccid, claimed_at FROM fleet_rows"
            " WHERE state = 'free' AND radio = '*' ORDER BY id LIMIT 1",
        };
        for (size_t i = 0; i < std::size(picks); ++i) {
            Stmt pick(m_db, picks[i]);
            pick.Bind(iccid);
            if (i == 1 || i == 2) {
                pick.Bind(now);
            }
            if (!pick.Step()) {
                if (!pick.Ok()) {
                    return Error();
                }
                continue;
            }
            const bool held = pick.Text(3) == "held";
            if (i == 0 && (pick.Text(3) == "done" || (held && pick.Int(4) >= now))) {
                claim.reason = "its row is taken already";
                return tx.Commit() ? ErrorInfo{} : Error();
            }
            if (held) {
                LedgerOutcome gone;
                gone.station = pick.Text(5);
                gone.port = pick.Text(6);
                gone.iccid = pick.Text(7);
                gone.line = static_cast<unsigned>(pick.Int(1));
                gone.startMs = pick.Int(8);
                gone.endMs = now;
                gone.result = kLedgerAbandoned;
                gone.reason = "the station stopped while working on the radio: it may be half-written";
                if (!Insert(gone)) {
                    return Error();
                }
            }
            claim.rowId = pick.Int(0);
            claim.line = static_cast<unsigned>(pick.Int(1));
            claim.values = pick.Text(2);
            claim.token = station + "/" + port + "/" + std::to_string(now) + "/" +
                          std::to_string(++m_claims) + "/" + std::to_string(::getpid());
            Stmt take(m_db,
                      "UPDATE fleet_rows SET state = 'held', token = ?, station = ?, port = ?, iccid = ?,"
                      " lease_until = ?, claimed_at = ? WHERE id = ?");
            take.Bind(claim.token)
                .Bind(station)
                .Bind(port)
                .Bind(iccid)
                .Bind(now + leaseMs)
                .Bind(now)
                .Bind(claim.rowId);
            take.Step();
            if (!take.Ok()) {
                claim = LedgerClaim{};
                return Error();
            }
            return tx.Commit() ? ErrorInfo{} : Error();
        }
        claim.reason = "no row of the fleet is left for this radio";
        return tx.Commit() ? ErrorInfo{} : Error();
    }

    ErrorInfo Renew(const std::string& token, int64_t leaseMs) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Stmt renew(m_db, "UPDATE fleet_rows SET lease_until = ? WHERE token = ? AND state = 'held'");
        renew.Bind(m_access.clock() + leaseMs).Bind(token).Step();
        if (!renew.Ok()) {
            return Error();
        }
        return sqlite3_changes(m_db) == 1 ? ErrorInfo{} : Lost();
    }

    ErrorInfo Finish(const std::string& token, const LedgerOutcome& outcome) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Transaction tx(*this);
        if (!tx.ok) {
            return Error();
        }
        const bool done = outcome.result == "done";
        Stmt end(m_db, done
                           ? "UPDATE fleet_rows SET state = 'done', token = NULL, lease_until = NULL"
                             " WHERE token = ? AND state = 'held'"
                           : "UPDATE fleet_rows SET state = 'free', token = NULL, lease_until = NULL,"
                             " station = NULL, port = NULL, iccid = NULL WHERE token = ? AND state = 'held'");
        end.Bind(token).Step();
        if (!end.Ok()) {
            return Error();
        }
        const bool held = sqlite3_changes(m_db) == 1;
        if (!Insert(outcome) || !tx.Commit()) {
            return Error();
        }
        return held ? ErrorInfo{} : Lost();
    }

    ErrorInfo Record(const LedgerOutcome& outcome) override {
        std::lock_guard<std::mutex> lock(m_lock);
        return Insert(outcome) ? ErrorInfo{} : Error();
    }

    ErrorInfo Rows(std::vector<LedgerRow>& rows) override {
        std::lock_guard<std::mutex> lock(m_lock);
        rows.clear();
        Stmt all(m_db, "SELECT id, line, radio, vals FROM fleet_rows ORDER BY id");
        while (all.Step()) {
            rows.push_back({all.Int(0), static_cast<unsigned>(all.Int(1)), all.Text(2), all.Text(3)});
        }
        return all.Ok() ? ErrorInfo{} : Error();
    }

    ErrorInfo Outcomes(std::vector<LedgerOutcome>& outcomes) override {
        std::lock_guard<std::mutex> lock(m_lock);
        outcomes.clear();
        Stmt all(m_db,
                 "SELECT station, port, model, iccid, line, start_ms, end_ms, result, reason, backup, verify"
                 " FROM fleet_outcomes ORDER BY id");
        while (all.Step()) {
            LedgerOutcome o;
            o.station = all.Text(0);
            o.port = all.Text(1);
            o.model = all.Text(2);
            o.iccid = all.Text(3);
            o.line = static_cast<unsigned>(all.Int(4));
            o.startMs = all.Int(5);
            o.endMs = all.Int(6);
            o.result = all.Text(7);
            o.reason = all.Text(8);
            o.backup = all.Text(9);
            o.verify = all.Text(10);
            outcomes.push_back(std::move(o));
        }
        return all.Ok() ? ErrorInfo{} : Error();
    }

    ErrorInfo Status(LedgerStatus& status) override {
        std::lock_guard<std::mutex> lock(m_lock);
        const int64_t now = m_access.clock();
        LedgerCounts counts;
        Stmt rows(m_db, "SELECT station, state, lease_until FROM fleet_rows");
        while (rows.Step()) {
            const std::string state = rows.Text(1);
            counts.rows.push_back({rows.Text(0), state == "done", state == "held" && rows.Int(2) >= now});
        }
        Stmt ended(m_db, "SELECT station, result, end_ms FROM fleet_outcomes");
        while (ended.Step()) {
            counts.ended.push_back({ended.Text(0), ended.Text(1), ended.Int(2)});
        }
        if (!rows.Ok() || !ended.Ok()) {
            return Error();
        }
        status = SummarizeLedger(counts, now, m_access.rateWindowMs);
        return {};
    }

  private:
    struct Transaction {
        // Connections of this process to the same file take turns here rather than in SQLite's
        // busy handler, which sleeps between tries; other processes still meet the file's lock.
        explicit Transaction(SqliteLedger& l) : ledger(l), turn(*l.m_fileLock) {
            ok = sqlite3_exec(ledger.m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        ~Transaction() {
            if (ok && !committed) {
                sqlite3_exec(ledger.m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            }
        }
        bool Commit() {
            committed = sqlite3_exec(ledger.m_db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
            return committed;
        }
        SqliteLedger& ledger;
        std::lock_guard<std::mutex> turn;
        bool ok = false;
        bool committed = false;
    };

    bool Insert(const LedgerOutcome& o) {
        Stmt insert(
            m_db,
            "INSERT INTO fleet_outcomes(station, port, model, iccid, line, start_ms, end_ms, result, reason,"
            " backup, verify) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        insert.Bind(o.station)
            .Bind(o.port)
            .Bind(o.model)
            .Bind(o.iccid)
            .Bind(static_cast<int64_t>(o.line))
            .Bind(o.startMs)
            .Bind(o.endMs)
            .Bind(o.result)
            .Bind(o.reason)
            .Bind(o.backup)
            .Bind(o.verify)
            .Step();
        return insert.Ok();
    }

    ErrorInfo Error() const { return {kErrInvalidData, 0, m_path + ": " + sqlite3_errmsg(m_db)}; }
    static ErrorInfo Lost() {
        return {kErrNotFound, 0, "the claim's lease ran out and another station took the row"};
    }

    std::mutex m_lock;
    sqlite3* m_db;
    const std::string m_path;
    const LedgerAccess m_access;
    uint64_t m_claims = 0;
    std::shared_ptr<std::mutex> m_fileLock;

    static std::shared_ptr<std::mutex> FileLock(const std::string& path) {
        static std::mutex guard;
        static std::map<std::string, std::weak_ptr<std::mutex>> locks;
        std::error_code ignored;
        const std::string key = std::filesystem::weakly_canonical(path, ignored).string();
        std::lock_guard<std::mutex> lock(guard);
        auto found = locks[key].lock();
        if (!found) {
            found = std::make_shared<std::mutex>();
            locks[key] = found;
        }
        return found;
    }
};

}  // namespace

std::unique_ptr<IFleetLedger> OpenSqliteLedger(const std::string& path, const LedgerAccess& access,
                                               ErrorInfo& error) {
    // A new ledger is private from its first byte: its rows hold the radios' secrets.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        const int e = errno;
        error = {ErrnoToCode(e), e, path + ": " + std::strerror(e)};
        return nullptr;
    }
    ::close(fd);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        error = {kErrInvalidData, 0, path + ": " + (db ? sqlite3_errmsg(db) : "cannot open")};
        sqlite3_close(db);
        return nullptr;
    }
    auto ledger = std::make_unique<SqliteLedger>(db, path, access);
    if (ErrorInfo e = ledger->Init(); !e.ok()) {
        error = e;
        return nullptr;
    }
    error = {};
    return ledger;
}
