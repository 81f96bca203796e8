// A full clone write and read of the largest configuration through the simulated radio, which
// delivers bytes no faster than the line would, at 115200 bit/s and at the highest rate the
// program offers, 1152000 bit/s. The radio runs as a process of its own (talvero-radiosim), so
// that the CPU time of this process is the program's alone.
//
// Each run reports its wall time and the floor the protocol itself sets: every byte at its paced
// rate plus the fixed waits of the operation; "ratio" is wall time over floor. "cpu_core_share" is
// the CPU time (user and system, every thread of this process) over the wall time: the share of
// one core the program spends on a transfer.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/talvero_doc.h"
#include "largest_config.h"
#include "link/clone_serial_port.h"
#include "radio_simulator.h"

extern char** environ;

namespace {

void FillLargest(CTalveroDoc& doc) {
    FillLargestConfiguration(doc);
}

const std::string& LargestCloneText() {
    static const std::string text = [] {
        CTalveroDoc doc;
        FillLargest(doc);
        std::vector<std::u16string> lines;
        doc.RenderSettings(lines, false);
        return CloneTextOfLines(lines);
    }();
    return text;
}

// talvero-radiosim on a pseudo-terminal of its own, stopped when this goes.
class RadioProcess {
  public:
    explicit RadioProcess(const std::vector<std::string>& options) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args = {std::string(TALVERO_BIN_DIR) + "/talvero-radiosim"};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') {
            m_path += c;
        }
        ::close(out[0]);
    }
    ~RadioProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
        }
    }
    const std::string& Path() const { return m_path; }

  private:
    pid_t m_pid = -1;
    std::string m_path;
};

double CpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The waits of Connect with a bit-rate change: settle at 9600, close, pause, reopen and settle.
double ConnectWaitS(const CloneTimings& t) {
    return (2.0 * t.settleMs + t.closeMs + t.reopenMs) / 1000.0;
}

// The PC sends at its paced rate; the radio's bytes take 10 bits each on the line.
double PcBytesS(uint64_t bytes, uint32_t rate) {
    return static_cast<double>(bytes) * static_cast<double>(CCloneSoftSerialPort::ByteTimeUs(rate)) / 1e6;
}
double RadioBytesS(uint64_t bytes, uint32_t rate) {
    return static_cast<double>(bytes) * 10.0 / rate;
}

void Report(benchmark::State& state, double wallS, double cpuS, double floorS, size_t textBytes) {
    state.counters["text_bytes"] = static_cast<double>(textBytes);
    state.counters["wall_s"] = wallS;
    state.counters["floor_s"] = floorS;
    state.counters["ratio"] = wallS / floorS;
    state.counters["cpu_s"] = cpuS;
    state.counters["cpu_core_share"] = cpuS / wallS;
}

void BM_CloneWrite(benchmark::State& state) {
    const auto rate = static_cast<uint32_t>(state.range(0));
    const std::string& text = LargestCloneText();
    RadioProcess radio({});
    if (radio.Path().empty()) {
        state.SkipWithError("the simulated radio did not start");
        return;
    }
    const CloneTimings t;
    const uint64_t frames = PaddedLength(text.size()) / kCloneFrameData;
    const uint64_t blocks = (frames + 19) / 20;
    // Before each block check the line must have been silent for blockIdleMs since the last
    // acknowledgement: at high bit rates a block takes less than that, and the rest is waited.
    double idleS = 0;
    for (uint64_t b = 1; b < blocks; ++b) {
        const uint64_t blockFrames = std::min<uint64_t>(20, frames - b * 20);
        idleS += std::max(0.0, t.blockIdleMs / 1000.0 - PcBytesS(blockFrames * (kCloneFrameData + 5), rate));
    }
    // Data frames at the paced rate; each 22-byte block check answered by an 8-byte
    // acknowledgement, the end frame by a 13-byte result.
    const double floorS = t.writeStartMs / 1000.0 + ConnectWaitS(t) + t.requestGapMs / 1000.0 +
                          PcBytesS(frames * (kCloneFrameData + 5), rate) + idleS +
                          RadioBytesS(blocks * (22 + 8) + 21 + 13, rate) + (t.doneMs + t.closeMs) / 1000.0;
    for (auto _ : state) {
        CCloneSoftSerialPort port;
        const double cpu0 = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const uint32_t r = port.WriteClone(radio.Path(), rate, u"", text);
        const double wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpuS = CpuSeconds() - cpu0;
        if (r != 0) {
            state.SkipWithError("the write failed");
            return;
        }
        Report(state, wallS, cpuS, floorS, text.size());
    }
}
BENCHMARK(BM_CloneWrite)->Arg(115200)->Arg(1152000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_CloneRead(benchmark::State& state) {
    const auto rate = static_cast<uint32_t>(state.range(0));
    const std::string& text = LargestCloneText();
    char folder[] = "/tmp/talvero-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string ini = std::string(folder) + "/largest.ini";
    {
        CTalveroDoc doc;
        FillLargest(doc);
        if (!SaveConfigurationFile(doc, ini).ok()) {
            state.SkipWithError("cannot save the configuration");
            return;
        }
    }
    RadioProcess radio({"--config", ini});
    const RadioSimOptions options;
    const CloneTimings t;
    const uint64_t frames = (text.size() + options.frameText - 1) / options.frameText;
    const uint64_t blocks = (frames + options.framesPerBlock - 1) / options.framesPerBlock;
    // Every text byte with 5 bytes of framing per frame, a 22-byte block check per block and the
    // 21-byte end frame, all at the line rate; the radio sends the next block only after the PC's
    // 8-byte acknowledgement of the last.
    const double floorS = ConnectWaitS(t) +
                          RadioBytesS(text.size() + frames * 5 + blocks * (22 + 8) + 21, rate) +
                          (t.doneMs + t.closeMs) / 1000.0;
    for (auto _ : state) {
        if (radio.Path().empty()) {
            state.SkipWithError("the simulated radio did not start");
            break;
        }
        CCloneSoftSerialPort port;
        CIniData map;
        const double cpu0 = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const uint32_t r = port.ReadClone(radio.Path(), rate, u"", map);
        const double wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpuS = CpuSeconds() - cpu0;
        if (r != 0 || map.empty()) {
            state.SkipWithError("the read failed");
            break;
        }
        Report(state, wallS, cpuS, floorS, text.size());
    }
    ::unlink(ini.c_str());
    ::rmdir(folder);
}
BENCHMARK(BM_CloneRead)->Arg(115200)->Arg(1152000)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
