// A fleet run of N radios on N simulated ports at 115,200 bit/s: each radio read, written and read
// back. The simulators pace their output at the line's byte rate and the PC paces its own, so the
// lines are the work; N ports should take about as long as one.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "fast_timings.h"
#include "fleet/fleet_ledger.h"
#include "fleet/fleet_run.h"
#include "radio_simulator.h"
#include "temp_dir.h"

namespace {

void BM_FleetRun(benchmark::State& state) {
    const int radios = static_cast<int>(state.range(0));
    TempDir dir;
    CTalveroDoc templ;
    templ.Set(u"disp_item", u"name");
    const std::string templatePath = dir.Path() + "/template.ini";
    SaveConfigurationFile(templ, templatePath);
    std::string csv = "radio,disp_name_01\n";
    for (int i = 0; i < radios; ++i) {
        csv += "*,Unit " + std::to_string(i + 1) + "\n";
    }
    FleetCheck check = CheckFleet(templatePath, dir.Write("fleet.csv", csv));
    if (!check.ok()) {
        state.SkipWithError(DescribeFleetProblem(check.problems[0]).c_str());
        return;
    }
    CTalveroDoc factory;
    std::vector<std::u16string> text;
    factory.RenderSettings(text, false);
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<RadioSimulator>> sims;
        FleetRunOptions options;
        for (int i = 0; i < radios; ++i) {
            RadioSimOptions o;
            o.iccid = "89811000000000" + std::to_string(10000 + 100 * run + i);
            o.configText = CloneTextOfLines(text);
            sims.push_back(std::make_unique<RadioSimulator>(o));
            std::string error;
            sims.back()->Start(error);
            options.ports.push_back(sims.back()->Path());
        }
        options.speed = 115200;
        options.timings = FastTimings(3000);
        options.timings.pace = true;
        options.pollMs = 10;
        options.reportPath = dir.Path() + "/report-" + std::to_string(run++) + ".csv";
        options.backupFolder = dir.Path() + "/backups";
        state.ResumeTiming();
        FleetRun fleet(check.plan, options);
        fleet.Run();
        if (fleet.Summary().done != static_cast<unsigned>(radios)) {
            state.SkipWithError("a radio did not end done");
            return;
        }
    }
    state.counters["radios"] = radios;
}
BENCHMARK(BM_FleetRun)->Arg(1)->Arg(2)->Arg(4)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// N stations on one SQLite ledger, two simulated radios each, at 115,200 bit/s: every station is
// its own run over its own connection, as on a depot's benches. The ledger's claims and renewals
// should cost next to nothing beside the lines, so N stations take about as long as one.
void BM_LedgerStations(benchmark::State& state) {
    const int stations = static_cast<int>(state.range(0));
    TempDir dir;
    CTalveroDoc templ;
    templ.Set(u"disp_item", u"name");
    const std::string templatePath = dir.Path() + "/template.ini";
    SaveConfigurationFile(templ, templatePath);
    std::string csv = "radio,disp_name_01\n";
    for (int i = 0; i < 2 * stations; ++i) {
        csv += "*,Unit " + std::to_string(i + 1) + "\n";
    }
    FleetCheck check = CheckFleet(templatePath, dir.Write("fleet.csv", csv));
    if (!check.ok()) {
        state.SkipWithError(DescribeFleetProblem(check.problems[0]).c_str());
        return;
    }
    CTalveroDoc factory;
    std::vector<std::u16string> text;
    factory.RenderSettings(text, false);
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string address = dir.Path() + "/ledger-" + std::to_string(run) + ".db";
        ErrorInfo e;
        std::vector<std::unique_ptr<IFleetLedger>> ledgers;
        for (int s = 0; s < stations && e.ok(); ++s) {
            ledgers.push_back(OpenFleetLedger(address, {}, e));
        }
        if (!e.ok() || !ledgers[0]->Load(LedgerRowsOf(check.plan), false).ok()) {
            state.SkipWithError(("ledger: " + e.detail).c_str());
            return;
        }
        std::vector<std::unique_ptr<RadioSimulator>> sims;
        std::vector<std::unique_ptr<FleetRun>> runs;
        for (int s = 0; s < stations; ++s) {
            FleetRunOptions options;
            for (int r = 0; r < 2; ++r) {
                RadioSimOptions o;
                o.iccid = "89811000000000" + std::to_string(10000 + 100 * run + 2 * s + r);
                o.configText = CloneTextOfLines(text);
                sims.push_back(std::make_unique<RadioSimulator>(o));
                std::string error;
                sims.back()->Start(error);
                options.ports.push_back(sims.back()->Path());
            }
            options.speed = 115200;
            options.timings = FastTimings(3000);
            options.timings.pace = true;
            options.pollMs = 10;
            options.backupFolder = dir.Path() + "/backups";
            options.ledger = ledgers[static_cast<size_t>(s)].get();
            options.station = "station-" + std::to_string(s + 1);
            runs.push_back(std::make_unique<FleetRun>(check.plan, options));
        }
        ++run;
        state.ResumeTiming();
        std::vector<std::thread> threads;
        for (auto& r : runs) {
            threads.emplace_back([&r] { r->Run(); });
        }
        for (auto& t : threads) {
            t.join();
        }
        unsigned done = 0;
        for (auto& r : runs) {
            done += r->Summary().done;
        }
        if (done != static_cast<unsigned>(2 * stations)) {
            state.SkipWithError("a radio did not end done");
            return;
        }
    }
    state.counters["stations"] = stations;
}
BENCHMARK(BM_LedgerStations)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
