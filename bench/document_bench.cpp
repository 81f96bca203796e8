// The document on the largest configuration: rendering for the radio, loading what the radio
// sends, saving and opening the configuration file, and the memory the document takes.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <string>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "largest_config.h"

namespace {

const std::string& BenchFile() {
    static const std::string path = [] {
        std::string p = "/tmp/talvero-bench-" + std::to_string(getpid()) + ".ini";
        CTalveroDoc doc;
        FillLargestConfiguration(doc);
        SaveConfigurationFile(doc, p);
        return p;
    }();
    return path;
}

void BM_RenderForRadio(benchmark::State& state) {
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    std::vector<std::u16string> lines;
    size_t bytes = 0;
    for (auto _ : state) {
        doc.RenderSettings(lines, false);
        std::u16string hex = RenderHexLines(lines);
        bytes = hex.size();
        benchmark::DoNotOptimize(hex.data());
    }
    state.counters["hex_chars"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RenderForRadio)->Unit(benchmark::kMillisecond);

void BM_LoadFromRadio(benchmark::State& state) {
    CTalveroDoc source;
    FillLargestConfiguration(source);
    std::vector<std::u16string> lines;
    source.RenderSettings(lines, false);
    const std::u16string hex = RenderHexLines(lines);
    CTalveroDoc doc;
    for (auto _ : state) {
        CIniData map;
        map.LoadHexText(hex);
        doc.SetModifiedFlag(false);
        doc.OnNewDocument();
        benchmark::DoNotOptimize(doc.LoadSettings(map, false));
    }
}
BENCHMARK(BM_LoadFromRadio)->Unit(benchmark::kMillisecond);

void BM_SaveFile(benchmark::State& state) {
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    const std::string path = BenchFile() + ".save";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SaveConfigurationFile(doc, path).ok());
    }
    unlink(path.c_str());
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

void BM_OpenFile(benchmark::State& state) {
    const std::string& path = BenchFile();
    CTalveroDoc doc;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OpenConfigurationFile(doc, path).ok());
    }
}
BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond);

// Heap taken by one document holding the largest configuration (the catalogue's shared tables
// are built before measuring).
void BM_DocumentMemory(benchmark::State& state) {
    { CTalveroDoc warm; }
    size_t used = 0;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        auto* doc = new CTalveroDoc;
        FillLargestConfiguration(*doc);
        used = mallinfo2().uordblks - before;
        delete doc;
    }
    state.counters["doc_bytes"] = static_cast<double>(used);
}
BENCHMARK(BM_DocumentMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
