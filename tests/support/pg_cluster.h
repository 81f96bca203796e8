#pragma once
// A throwaway PostgreSQL cluster for tests: initdb into a fresh temporary folder, the server
// started by pg_ctl on a Unix socket in that folder only (no TCP port), stopped and removed when
// the object goes. The server refuses to run as root: when the tests run as root, the folder is
// handed to the "postgres" account and the server's programs run as that account.
#include <grp.h>
#include <libpq-fe.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class PgCluster {
  public:
    PgCluster() = default;
    ~PgCluster() { Stop(); }
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    // Starts the cluster; false with `why` when it cannot (no server programs: `skip` set).
    bool Start(std::string& why, bool& skip) {
        skip = false;
        m_bin = FindBin();
        if (m_bin.empty()) {
            skip = true;
            why =
                "the PostgreSQL server programs (initdb, pg_ctl) are not installed; scripts/setup.sh "
                "installs them";
            return false;
        }
        const char* base = ::getenv("TMPDIR");
        std::string name = std::string(base && *base ? base : "/tmp") + "/talvero-pg-XXXXXX";
        if (::mkdtemp(name.data()) == nullptr) {
            why = "cannot make a temporary folder";
            return false;
        }
        m_dir = name;
        if (::geteuid() == 0) {
            const passwd* pw = ::getpwnam("postgres");
            if (pw == nullptr) {
                skip = true;
                why = "running as root and there is no 'postgres' account to run the server as";
                return false;
            }
            m_uid = pw->pw_uid;
            m_gid = pw->pw_gid;
            if (::chown(m_dir.c_str(), m_uid, m_gid) != 0) {
                why = "cannot hand the cluster's folder to the postgres account";
                return false;
            }
        }
        const std::string data = m_dir + "/data";
        if (Run({m_bin + "/initdb", "-D", data, "-U", "talvero", "-A", "trust", "--no-sync", "-E", "UTF8",
                 "--no-locale"},
                m_dir + "/initdb.log") != 0) {
            why = "initdb failed (see " + m_dir + "/initdb.log)";
            return false;
        }
        const std::string options = "-c listen_addresses='' -c unix_socket_directories='" + m_dir +
                                    "' -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
                                    " -c max_connections=60";
        if (Run({m_bin + "/pg_ctl", "-D", data, "-l", m_dir + "/server.log", "-w", "-t", "120", "-o", options,
                 "start"},
                m_dir + "/pg_ctl.log") != 0) {
            why = "the server did not start (see " + m_dir + "/server.log)";
            return false;
        }
        m_started = true;
        return true;
    }

    void Stop() {
        if (m_started) {
            Run({m_bin + "/pg_ctl", "-D", m_dir + "/data", "-m", "immediate", "-w", "stop"},
                m_dir + "/pg_ctl.log");
            m_started = false;
        }
        if (!m_dir.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_dir, ignored);
            m_dir.clear();
        }
    }

    // A ledger address of the database `db` over the socket.
    std::string Address(const std::string& db) const {
        return "postgresql:///" + db + "?host=" + m_dir + "&user=talvero";
    }

    // A new empty database; its address, or empty with `error`.
    std::string NewDatabase(std::string& error) {
        const std::string db = "t" + std::to_string(++m_databases);
        PGconn* conn = PQconnectdb(Address("postgres").c_str());
        error.clear();
        if (PQstatus(conn) != CONNECTION_OK) {
            error = PQerrorMessage(conn);
        } else {
            PGresult* r = PQexec(conn, ("CREATE DATABASE " + db).c_str());
            if (PQresultStatus(r) != PGRES_COMMAND_OK) {
                error = PQresultErrorMessage(r);
            }
            PQclear(r);
        }
        PQfinish(conn);
        return error.empty() ? Address(db) : std::string();
    }

  private:
    static std::string FindBin() {
        std::string best;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ec)) {
            const std::string bin = entry.path().string() + "/bin";
            if (::access((bin + "/initdb").c_str(), X_OK) == 0 &&
                ::access((bin + "/pg_ctl").c_str(), X_OK) == 0 && bin > best) {
                best = bin;
            }
        }
        return best;
    }

    // Runs a server program (as the postgres account when root) in the cluster's folder, its
    // output into `log`; the exit status.
    int Run(const std::vector<std::string>& argv, const std::string& log) const {
        std::vector<char*> args;
        for (const auto& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            if (m_uid != 0) {
                if (::setgroups(0, nullptr) != 0 || ::setgid(m_gid) != 0 || ::setuid(m_uid) != 0) {
                    ::_exit(126);
                }
            }
            if (::chdir(m_dir.c_str()) != 0 || !::freopen(log.c_str(), "a", stdout) ||
                !::freopen(log.c_str(), "a", stderr) || !::freopen("/dev/null", "r", stdin)) {
                ::_exit(126);
            }
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        int status = 0;
        if (pid < 0 || ::waitpid(pid, &status, 0) != pid) {
            return -1;
        }
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string m_bin, m_dir;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    bool m_started = false;
    int m_databases = 0;
};
