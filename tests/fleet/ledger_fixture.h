#pragma once
// A fleet ledger on either back end for a test: a SQLite file in the test's folder, or a fresh
// database of the test program's throwaway PostgreSQL cluster. Time is the test's own clock.
// PgClusterEnvironment starts one cluster for a test program and stops it after the last test,
// failed or not; each test takes a fresh database from it.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "fleet/fleet_ledger.h"
#include "pg_cluster.h"
#include "temp_dir.h"

// One cluster for the whole test program, started before the first test and stopped after the
// last; Get() is null (with SkipReason()) when none could be started.
class PgClusterEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        auto cluster = std::make_unique<PgCluster>();
        bool skip = false;
        if (cluster->Start(s_why, skip)) {
            s_cluster = std::move(cluster);
        } else if (!skip) {
            s_why = "no PostgreSQL cluster: " + s_why;
            s_failed = true;
        }
    }
    void TearDown() override { s_cluster.reset(); }

    static PgCluster* Get() { return s_cluster.get(); }
    static const std::string& SkipReason() { return s_why; }
    static bool Failed() { return s_failed; }  // installed, yet it would not start: a fault

  private:
    static inline std::unique_ptr<PgCluster> s_cluster;
    static inline std::string s_why;
    static inline bool s_failed = false;
};

// In a test body: a fresh PostgreSQL database's address, or skip (or fail when the server is
// installed but would not start).
#define TALVERO_PG_DATABASE(address)                                 \
    do {                                                             \
        if (!PgClusterEnvironment::Get()) {                          \
            if (PgClusterEnvironment::Failed()) {                    \
                FAIL() << PgClusterEnvironment::SkipReason();        \
            }                                                        \
            GTEST_SKIP() << PgClusterEnvironment::SkipReason();      \
        }                                                            \
        std::string dbError;                                         \
        address = PgClusterEnvironment::Get()->NewDatabase(dbError); \
        ASSERT_FALSE(address.empty()) << dbError;                    \
    } while (0)

inline ::testing::Environment* const kPgClusterEnvironment =
    ::testing::AddGlobalTestEnvironment(new PgClusterEnvironment);

class LedgerTest : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        if (GetParam() == "postgresql") {
            TALVERO_PG_DATABASE(address);
        } else {
            address = dir.Path() + "/fleet.db";
        }
    }

    // A connection of its own, as each station has.
    std::unique_ptr<IFleetLedger> Open(LedgerClock clock = {}) {
        LedgerAccess access;
        access.clock = clock ? clock : LedgerClock([this] { return now.load(); });
        ErrorInfo e;
        auto ledger = OpenFleetLedger(address, access, e);
        EXPECT_TRUE(ledger) << e.detail;
        return ledger;
    }

    TempDir dir;
    std::string address;
    std::atomic<int64_t> now{1'800'000'000'000};
};

inline std::string BackEndName(const ::testing::TestParamInfo<std::string>& info) {
    return info.param;
}

#define TALVERO_BOTH_LEDGERS(suite) \
    INSTANTIATE_TEST_SUITE_P(BackEnds, suite, ::testing::Values("sqlite", "postgresql"), BackEndName)
