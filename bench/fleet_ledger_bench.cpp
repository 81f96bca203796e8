// Eight stations claiming rows from one fleet ledger of 10,000 rows at once, without radios: each
// station claims a row and records it done, over a connection of its own, until no row is left.
// Counted: claims per second, and rows claimed twice (must be 0). On the SQLite file and on a
// throwaway PostgreSQL cluster on a Unix socket (skipped when the server is not installed).
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "fleet/fleet_ledger.h"
#include "pg_cluster.h"
#include "temp_dir.h"

namespace {

constexpr int kRows = 10000;
constexpr int kStations = 8;

PgCluster* Cluster(std::string& why) {
    static std::unique_ptr<PgCluster> cluster;
    static std::string failed;
    if (!cluster && failed.empty()) {
        auto started = std::make_unique<PgCluster>();
        bool skip = false;
        if (started->Start(failed, skip)) {
            cluster = std::move(started);
        }
    }
    why = failed;
    return cluster.get();
}

void BM_LedgerClaims(benchmark::State& state, bool server) {
    TempDir dir;
    std::vector<LedgerRow> rows;
    for (int i = 0; i < kRows; ++i) {
        rows.push_back(
            {0, static_cast<unsigned>(i + 2), "*", "disp_name_01\tUnit " + std::to_string(i) + "\n"});
    }
    int64_t claims = 0, twice = 0;
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string address = dir.Path() + "/ledger-" + std::to_string(run++) + ".db";
        if (server) {
            std::string why;
            PgCluster* cluster = Cluster(why);
            if (!cluster) {
                state.SkipWithError(why.c_str());
                return;
            }
            address = cluster->NewDatabase(why);
            if (address.empty()) {
                state.SkipWithError(why.c_str());
                return;
            }
        }
        ErrorInfo e;
        std::vector<std::unique_ptr<IFleetLedger>> stations;
        for (int s = 0; s < kStations && e.ok(); ++s) {
            stations.push_back(OpenFleetLedger(address, {}, e));
        }
        if (!e.ok() || !stations[0]->Load(rows, false).ok()) {
            state.SkipWithError(("ledger: " + e.detail).c_str());
            return;
        }
        std::vector<std::vector<int64_t>> taken(kStations);
        std::atomic<bool> failed{false};
        state.ResumeTiming();
        std::vector<std::thread> threads;
        for (int s = 0; s < kStations; ++s) {
            threads.emplace_back([&, s] {
                IFleetLedger& ledger = *stations[static_cast<size_t>(s)];
                const std::string station = "station-" + std::to_string(s);
                for (int n = 0;; ++n) {
                    LedgerClaim claim;
                    const std::string iccid = std::to_string(s) + "-" + std::to_string(n);
                    if (!ledger.Claim(station, "/dev/ttyUSB0", iccid, 60000, claim).ok()) {
                        failed = true;
                        return;
                    }
                    if (!claim.rowId) {
                        return;
                    }
                    taken[static_cast<size_t>(s)].push_back(claim.rowId);
                    const ErrorInfo done = ledger.Finish(
                        claim.token,
                        {station, "/dev/ttyUSB0", "", iccid, claim.line, 0, 0, "done", "", "", "same"});
                    if (!done.ok()) {
                        failed = true;
                        return;
                    }
                }
            });
        }
        for (auto& t : threads) {
            t.join();
        }
        state.PauseTiming();
        std::multiset<int64_t> all;
        for (const auto& t : taken) {
            all.insert(t.begin(), t.end());
        }
        const std::set<int64_t> distinct(all.begin(), all.end());
        claims += static_cast<int64_t>(all.size());
        twice += static_cast<int64_t>(all.size() - distinct.size());
        if (failed || distinct.size() != static_cast<size_t>(kRows)) {
            state.SkipWithError("a claim failed or a row was never claimed");
            return;
        }
        state.ResumeTiming();
    }
    state.counters["claims_per_s"] =
        benchmark::Counter(static_cast<double>(claims), benchmark::Counter::kIsRate);
    state.counters["double_claims"] = static_cast<double>(twice);
    state.counters["stations"] = kStations;
}
BENCHMARK_CAPTURE(BM_LedgerClaims, sqlite, false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_LedgerClaims, postgresql, true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
