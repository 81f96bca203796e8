// A full clone write and read of the largest configuration at 115200 bit/s through the simulated
// radio, which delivers bytes no faster than the line would. Each run reports its wall time and the
// floor the protocol itself sets: every byte at its paced rate plus the fixed waits of the
// operation. "ratio" is wall time over floor.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "document/ini_data.h"
#include "document/talvero_doc.h"
#include "largest_config.h"
#include "link/clone_serial_port.h"
#include "radio_simulator.h"

namespace {

constexpr uint32_t kRate = 115200;

const std::string& LargestCloneText() {
    static const std::string text = [] {
        CTalveroDoc doc;
        FillLargestConfiguration(doc);
        std::vector<std::u16string> lines;
        doc.RenderSettings(lines, false);
        return CloneTextOfLines(lines);
    }();
    return text;
}

// The waits of Connect with a bit-rate change: settle at 9600, close, pause, reopen and settle.
double ConnectWaitS(const CloneTimings& t) {
    return (2.0 * t.settleMs + t.closeMs + t.reopenMs) / 1000.0;
}

// The PC sends at its paced rate; the radio's bytes take 10 bits each on the line.
double PcBytesS(uint64_t bytes) {
    return static_cast<double>(bytes) * static_cast<double>(CCloneSoftSerialPort::ByteTimeUs(kRate)) / 1e6;
}
double RadioBytesS(uint64_t bytes) {
    return static_cast<double>(bytes) * 10.0 / kRate;
}

void Report(benchmark::State& state, double wallS, double floorS, size_t textBytes) {
    state.counters["text_bytes"] = static_cast<double>(textBytes);
    state.counters["wall_s"] = wallS;
    state.counters["floor_s"] = floorS;
    state.counters["ratio"] = wallS / floorS;
}

void BM_CloneWrite(benchmark::State& state) {
    const std::string& text = LargestCloneText();
    RadioSimOptions options;
    RadioSimulator sim(options);
    std::string error;
    if (!sim.Start(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const CloneTimings t;
    const uint64_t frames = PaddedLength(text.size()) / kCloneFrameData;
    const uint64_t blocks = (frames + 19) / 20;
    // Data frames at the paced rate; each block check answered by an 8-byte acknowledgement, the
    // end frame by a 13-byte result.
    const double floorS = t.writeStartMs / 1000.0 + ConnectWaitS(t) + t.requestGapMs / 1000.0 +
                          PcBytesS(frames * (kCloneFrameData + 5)) + RadioBytesS(blocks * 8 + 13) +
                          (t.doneMs + t.closeMs) / 1000.0;
    for (auto _ : state) {
        CCloneSoftSerialPort port;
        const auto start = std::chrono::steady_clock::now();
        const uint32_t r = port.WriteClone(sim.Path(), kRate, u"", text);
        const double wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (r != 0 || sim.StoredText() != text) {
            state.SkipWithError("the write failed");
            return;
        }
        Report(state, wallS, floorS, text.size());
    }
}
BENCHMARK(BM_CloneWrite)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_CloneRead(benchmark::State& state) {
    const std::string& text = LargestCloneText();
    RadioSimOptions options;
    options.configText = text;
    RadioSimulator sim(options);
    std::string error;
    if (!sim.Start(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const CloneTimings t;
    const uint64_t frames = (text.size() + options.frameText - 1) / options.frameText;
    const uint64_t blocks = (frames + options.framesPerBlock - 1) / options.framesPerBlock;
    // Every text byte with 5 bytes of framing per frame, a 22-byte block check per block and the
    // 21-byte end frame, all at the line rate.
    const double floorS = ConnectWaitS(t) + RadioBytesS(text.size() + frames * 5 + blocks * 22 + 21) +
                          (t.doneMs + t.closeMs) / 1000.0;
    for (auto _ : state) {
        CCloneSoftSerialPort port;
        CIniData map;
        const auto start = std::chrono::steady_clock::now();
        const uint32_t r = port.ReadClone(sim.Path(), kRate, u"", map);
        const double wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (r != 0 || map.empty()) {
            state.SkipWithError("the read failed");
            return;
        }
        Report(state, wallS, floorS, text.size());
    }
}
BENCHMARK(BM_CloneRead)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
