#pragma once
// A fleet ledger on either back end for a test: a SQLite file in the test's folder, or a fresh
// database of the test program's throwaway PostgreSQL cluster. Time is the test's own clock.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "fleet/fleet_ledger.h"
#include "pg_cluster.h"
#include "temp_dir.h"

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
