// The PostgreSQL ledger, for several stations. A claim is one transaction that locks the row it
// takes with FOR UPDATE SKIP LOCKED, so stations claiming at once never wait for one another's
// rows and never take the same one. The connection goes over the server's Unix socket or with TLS;
// the password comes from a file or the environment, never from the address.
#include <libpq-fe.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <memory>
#include <mutex>

#include "fleet/fleet_ledger.h"

namespace {

const char kSchema[] =
    "CREATE TABLE IF NOT EXISTS fleet_rows("
    " id BIGSERIAL PRIMARY KEY, line INTEGER NOT NULL, radio TEXT NOT NULL, vals TEXT NOT NULL,"
    " state TEXT NOT NULL DEFAULT 'free', token TEXT, station TEXT, port TEXT, iccid TEXT,"
    " lease_until BIGINT, claimed_at BIGINT);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_free ON fleet_rows(id) WHERE state = 'free' AND radio = '*';"
    "CREATE INDEX IF NOT EXISTS fleet_rows_lease ON fleet_rows(lease_until) WHERE state = 'held';"
    "CREATE INDEX IF NOT EXISTS fleet_rows_iccid ON fleet_rows(iccid);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_radio ON fleet_rows(radio);"
    "CREATE INDEX IF NOT EXISTS fleet_rows_token ON fleet_rows(token);"
    "CREATE TABLE IF NOT EXISTS fleet_outcomes("
    " id BIGSERIAL PRIMARY KEY, station TEXT, port TEXT, model TEXT, iccid TEXT, line INTEGER,"
    " start_ms BIGINT, end_ms BIGINT, result TEXT, reason TEXT, backup TEXT, verify TEXT);";

// Any number that identifies this program's schema lock among the server's advisory locks.
constexpr char kSchemaLock[] = "SELECT pg_advisory_xact_lock(739105)";

struct ResultFree {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultFree>;

struct ConninfoFree {
    void operator()(PQconninfoOption* o) const { PQconninfoFree(o); }
};

class PostgresLedger : public IFleetLedger {
  public:
    PostgresLedger(PGconn* conn, LedgerAccess access) : m_conn(conn), m_access(std::move(access)) {}
    ~PostgresLedger() override { PQfinish(m_conn); }

    ErrorInfo Init() {
        std::lock_guard<std::mutex> lock(m_lock);
        // Notices ("relation exists, skipping") are not for the user.
        PQsetNoticeProcessor(
            m_conn, [](void*, const char*) {}, nullptr);
        if (!Command("BEGIN") || !Query(kSchemaLock, {}) || !Command(kSchema) || !Command("COMMIT")) {
            const ErrorInfo e = Error();
            Command("ROLLBACK");
            return e;
        }
        return {};
    }

    ErrorInfo Load(const std::vector<LedgerRow>& rows, bool replace) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Tx tx(*this);
        if (!tx.ok || !Command("LOCK TABLE fleet_rows IN EXCLUSIVE MODE")) {
            return Error();
        }
        Result used = Query("SELECT count(*) FROM fleet_rows WHERE state <> 'free'", {});
        if (!used) {
            return Error();
        }
        const long count = std::atol(PQgetvalue(used.get(), 0, 0));
        if (count > 0 && !replace) {
            return {kErrAccessDenied, 0,
                    std::to_string(count) + " rows of the ledger are claimed or done already"};
        }
        if (!Command("DELETE FROM fleet_rows")) {
            return Error();
        }
        for (const auto& row : rows) {
            if (!Query("INSERT INTO fleet_rows(line, radio, vals) VALUES($1, $2, $3)",
                       {std::to_string(row.line), row.radio, row.values})) {
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
        const std::string nowText = std::to_string(now);
        Tx tx(*this);
        if (!tx.ok) {
            return Error();
        }
        Result done = Query("SELECT 1 FROM fleet_rows WHERE state = 'done' AND iccid = $1 LIMIT 1", {iccid});
        if (!done) {
            return Error();
        }
        if (PQntuples(done.get()) > 0) {
            claim.skip = true;
            claim.reason = "done already";
            return tx.Commit() ? ErrorInfo{} : Error();
        }
        // The row naming the radio, then a row the radio held before its station stopped, then the
        // first row whose holder stopped, then the first free "*" row.
        const char kColumns[] =
            "SELECT id, line, vals, state, lease_until, station, port, iccid, claimed_at ";
        struct Pick {
            std::string sql;
            std::vector<std::string> params;
        };
        const Pick picks[] = {
            {std::string(kColumns) + "FROM fleet_rows WHERE radio = $1 FOR UPDATE", {iccid}},
            {std::string(kColumns) +
                 "FROM fleet_rows WHERE state = 'held' AND radio = '*' AND iccid = $1 AND lease_until < $2"
                 " LIMIT 1 FOR UPDATE SKIP LOCKED",
             {iccid, nowText}},
            {std::string(kColumns) +
                 "FROM fleet_rows WHERE state = 'held' AND radio = '*' AND lease_until < $1"
                 " ORDER BY lease_until, id LIMIT 1 FOR UPDATE SKIP LOCKED",
             {nowText}},
            {std::string(kColumns) + "FROM fleet_rows WHERE state = 'free' AND radio = '*' ORDER BY id LIMIT "
                                     "1 FOR UPDATE SKIP LOCKED",
             {}},
        };
        for (size_t i = 0; i < std::size(picks); ++i) {
            Result pick = Query(picks[i].sql.c_str(), picks[i].params);
            if (!pick) {
                return Error();
            }
            if (PQntuples(pick.get()) == 0) {
                continue;
            }
            auto text = [&pick](int column) { return std::string(PQgetvalue(pick.get(), 0, column)); };
            auto number = [&pick](int column) { return std::atoll(PQgetvalue(pick.get(), 0, column)); };
            const bool held = text(3) == "held";
            if (i == 0 && (text(3) == "done" || (held && number(4) >= now))) {
                claim.reason = "its row is taken already";
                return tx.Commit() ? ErrorInfo{} : Error();
            }
            if (held) {
                LedgerOutcome gone;
                gone.station = text(5);
                gone.port = text(6);
                gone.iccid = text(7);
                gone.line = static_cast<unsigned>(number(1));
                gone.startMs = number(8);
                gone.endMs = now;
                gone.result = kLedgerAbandoned;
                gone.reason = "the station stopped while working on the radio: it may be half-written";
                if (!Insert(gone)) {
                    return Error();
                }
            }
            claim.rowId = number(0);
            claim.line = static_cast<unsigned>(number(1));
            claim.values = text(2);
            claim.token = station + "/" + port + "/" + nowText + "/" + std::to_string(++m_claims) + "/" +
                          std::to_string(::getpid());
            if (!Query(
                    "UPDATE fleet_rows SET state = 'held', token = $1, station = $2, port = $3, iccid = $4,"
                    " lease_until = $5, claimed_at = $6 WHERE id = $7",
                    {claim.token, station, port, iccid, std::to_string(now + leaseMs), nowText,
                     std::to_string(claim.rowId)}) ||
                !tx.Commit()) {
                claim = LedgerClaim{};
                return Error();
            }
            return {};
        }
        claim.reason = "no row of the fleet is left for this radio";
        return tx.Commit() ? ErrorInfo{} : Error();
    }

    ErrorInfo Renew(const std::string& token, int64_t leaseMs) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Result r = Query("UPDATE fleet_rows SET lease_until = $1 WHERE token = $2 AND state = 'held'",
                         {std::to_string(m_access.clock() + leaseMs), token});
        if (!r) {
            return Error();
        }
        return std::atoi(PQcmdTuples(r.get())) == 1 ? ErrorInfo{} : Lost();
    }

    ErrorInfo Finish(const std::string& token, const LedgerOutcome& outcome) override {
        std::lock_guard<std::mutex> lock(m_lock);
        Tx tx(*this);
        if (!tx.ok) {
            return Error();
        }
        const bool done = outcome.result == "done";
        Result end =
            Query(done ? "UPDATE fleet_rows SET state = 'done', token = NULL, lease_until = NULL"
                         " WHERE token = $1 AND state = 'held'"
                       : "UPDATE fleet_rows SET state = 'free', token = NULL, lease_until = NULL,"
                         " station = NULL, port = NULL, iccid = NULL WHERE token = $1 AND state = 'held'",
                  {token});
        if (!end) {
            return Error();
        }
        const bool held = std::atoi(PQcmdTuples(end.get())) == 1;
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
        Result r = Query("SELECT id, line, radio, vals FROM fleet_rows ORDER BY id", {});
        if (!r) {
            return Error();
        }
        for (int i = 0; i < PQntuples(r.get()); ++i) {
            rows.push_back({std::atoll(PQgetvalue(r.get(), i, 0)),
                            static_cast<unsigned>(std::atol(PQgetvalue(r.get(), i, 1))),
                            PQgetvalue(r.get(), i, 2), PQgetvalue(r.get(), i, 3)});
        }
        return {};
    }

    ErrorInfo Outcomes(std::vector<LedgerOutcome>& outcomes) override {
        std::lock_guard<std::mutex> lock(m_lock);
        outcomes.clear();
        Result r = Query(
            "SELECT station, port, model, iccid, line, start_ms, end_ms, result, reason, backup, verify"
            " FROM fleet_outcomes ORDER BY id",
            {});
        if (!r) {
            return Error();
        }
        for (int i = 0; i < PQntuples(r.get()); ++i) {
            auto text = [&](int column) { return std::string(PQgetvalue(r.get(), i, column)); };
            LedgerOutcome o;
            o.station = text(0);
            o.port = text(1);
            o.model = text(2);
            o.iccid = text(3);
            o.line = static_cast<unsigned>(std::atol(text(4).c_str()));
            o.startMs = std::atoll(text(5).c_str());
            o.endMs = std::atoll(text(6).c_str());
            o.result = text(7);
            o.reason = text(8);
            o.backup = text(9);
            o.verify = text(10);
            outcomes.push_back(std::move(o));
        }
        return {};
    }

    ErrorInfo Status(LedgerStatus& status) override {
        std::lock_guard<std::mutex> lock(m_lock);
        const int64_t now = m_access.clock();
        Result rows =
            Query("SELECT coalesce(station, ''), state, coalesce(lease_until, 0) FROM fleet_rows", {});
        Result ended =
            Query("SELECT coalesce(station, ''), result, coalesce(end_ms, 0) FROM fleet_outcomes", {});
        if (!rows || !ended) {
            return Error();
        }
        LedgerCounts counts;
        for (int i = 0; i < PQntuples(rows.get()); ++i) {
            const std::string state = PQgetvalue(rows.get(), i, 1);
            counts.rows.push_back({PQgetvalue(rows.get(), i, 0), state == "done",
                                   state == "held" && std::atoll(PQgetvalue(rows.get(), i, 2)) >= now});
        }
        for (int i = 0; i < PQntuples(ended.get()); ++i) {
            counts.ended.push_back({PQgetvalue(ended.get(), i, 0), PQgetvalue(ended.get(), i, 1),
                                    std::atoll(PQgetvalue(ended.get(), i, 2))});
        }
        status = SummarizeLedger(counts, now, m_access.rateWindowMs);
        return {};
    }

  private:
    struct Tx {
        explicit Tx(PostgresLedger& l) : ledger(l) { ok = ledger.Command("BEGIN"); }
        ~Tx() {
            if (ok && !committed) {
                ledger.Command("ROLLBACK");
            }
        }
        bool Commit() {
            committed = ledger.Command("COMMIT");
            return committed;
        }
        PostgresLedger& ledger;
        bool ok = false;
        bool committed = false;
    };

    bool Command(const char* sql) {
        Result r(PQexec(m_conn, sql));
        const ExecStatusType s = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK) {
            return true;
        }
        m_error = r ? PQresultErrorMessage(r.get()) : PQerrorMessage(m_conn);
        return false;
    }

    // Null on failure (the message kept for Error()).
    Result Query(const char* sql, const std::vector<std::string>& params) {
        std::vector<const char*> values;
        for (const auto& p : params) {
            values.push_back(p.c_str());
        }
        Result r(PQexecParams(m_conn, sql, static_cast<int>(values.size()), nullptr, values.data(), nullptr,
                              nullptr, 0));
        const ExecStatusType s = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
        if (s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK) {
            return r;
        }
        m_error = r ? PQresultErrorMessage(r.get()) : PQerrorMessage(m_conn);
        return nullptr;
    }

    bool Insert(const LedgerOutcome& o) {
        return static_cast<bool>(Query(
            "INSERT INTO fleet_outcomes(station, port, model, iccid, line, start_ms, end_ms, result, reason,"
            " backup, verify) VALUES($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11)",
            {o.station, o.port, o.model, o.iccid, std::to_string(o.line), std::to_string(o.startMs),
             std::to_string(o.endMs), o.result, o.reason, o.backup, o.verify}));
    }

    ErrorInfo Error() const {
        std::string text = m_error;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
            text.pop_back();
        }
        return {kErrInvalidData, 0, "ledger: " + text};
    }
    static ErrorInfo Lost() {
        return {kErrNotFound, 0, "the claim's lease ran out and another station took the row"};
    }

    std::mutex m_lock;
    PGconn* m_conn;
    const LedgerAccess m_access;
    std::string m_error;
    uint64_t m_claims = 0;
};

}  // namespace

std::unique_ptr<IFleetLedger> OpenPostgresLedger(const std::string& address, const LedgerAccess& access,
                                                 ErrorInfo& error) {
    char* parseError = nullptr;
    std::unique_ptr<PQconninfoOption, ConninfoFree> options(PQconninfoParse(address.c_str(), &parseError));
    if (!options) {
        // The message names the fault, never the address (which could hold a secret).
        error = {kErrInvalidData, 0,
                 std::string("ledger address: ") + (parseError ? parseError : "not understood")};
        PQfreemem(parseError);
        while (!error.detail.empty() && error.detail.back() == '\n') {
            error.detail.pop_back();
        }
        return nullptr;
    }
    std::string host, sslmode;
    for (PQconninfoOption* o = options.get(); o->keyword; ++o) {
        const std::string key = o->keyword;
        const std::string value = o->val ? o->val : "";
        if (key == "password" && !value.empty()) {
            error = {kErrAccessDenied, 0,
                     "the ledger address holds a password: give it in a file (--ledger-password-file) or in"
                     " PGPASSWORD or PGPASSFILE instead"};
            return nullptr;
        }
        if (key == "host" || (key == "hostaddr" && host.empty())) {
            host = value;
        } else if (key == "sslmode") {
            sslmode = value;
        }
    }
    // A server reached over the network is reached with TLS; a socket folder needs none.
    const bool socket = host.empty() || host[0] == '/' || host[0] == '@';
    std::vector<const char*> keys = {"dbname", "application_name"};
    std::vector<std::string> values = {address, "talvero"};
    if (!socket) {
        if (sslmode.empty()) {
            keys.push_back("sslmode");
            values.push_back("verify-full");
        } else if (sslmode != "require" && sslmode != "verify-ca" && sslmode != "verify-full") {
            error = {kErrAccessDenied, 0,
                     "a ledger reached over the network needs TLS: sslmode=" + sslmode +
                         " is refused (use require, verify-ca or verify-full, or the server's Unix socket)"};
            return nullptr;
        }
    }
    if (!access.passwordFile.empty()) {
        // A password other users can read is no secret: refused, as libpq refuses such a PGPASSFILE.
        struct stat st;
        if (::stat(access.passwordFile.c_str(), &st) == 0 && (st.st_mode & 077) != 0) {
            error = {kErrAccessDenied, 0,
                     access.passwordFile + ": other users can read this password file (chmod 600 it)"};
            return nullptr;
        }
        std::ifstream file(access.passwordFile);
        std::string password;
        if (!file || !std::getline(file, password)) {
            error = {kErrFileNotFound, 0, access.passwordFile + ": cannot read the ledger's password"};
            return nullptr;
        }
        if (!password.empty() && password.back() == '\r') {
            password.pop_back();
        }
        keys.push_back("password");
        values.push_back(password);
    }
    std::vector<const char*> valuePointers;
    for (const auto& v : values) {
        valuePointers.push_back(v.c_str());
    }
    keys.push_back(nullptr);
    valuePointers.push_back(nullptr);
    PGconn* conn = PQconnectdbParams(keys.data(), valuePointers.data(), 1);
    if (!conn || PQstatus(conn) != CONNECTION_OK) {
        std::string message = conn ? PQerrorMessage(conn) : "out of memory";
        while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
            message.pop_back();
        }
        error = {kErrAccessDenied, 0, "ledger: " + message};
        PQfinish(conn);
        return nullptr;
    }
    auto ledger = std::make_unique<PostgresLedger>(conn, access);
    if (ErrorInfo e = ledger->Init(); !e.ok()) {
        error = e;
        return nullptr;
    }
    error = {};
    return ledger;
}
