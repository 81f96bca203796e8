// talvero-radiosim: a radio on a pseudo-terminal, for people and tests without a radio.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "radio_simulator.h"

namespace {

const char kUsage[] =
    "usage: talvero-radiosim [OPTIONS]\n"
    "\n"
    "Plays the radio on a pseudo-terminal until stopped (Ctrl+C). Prints the device path; talk to it\n"
    "with talvero-cli --port PATH or TALVERO_EXTRA_PORTS=PATH.\n"
    "\n"
    "  --link PATH          make PATH a symbolic link to the device\n"
    "  --config FILE        configuration file the radio holds (default: the default settings)\n"
    "  --dump FILE          save each configuration written to the radio as key=value lines\n"
    "  --firmware-dump FILE  save each firmware image sent to the radio\n"
    "  --code TEXT          device code in the information reply (default KD7391#05; '' leaves it out)\n"
    "  --rental N           rental value (default 0)\n"
    "  --auth N             non-zero: the radio asks for its password\n"
    "  --password TEXT      the radio's password\n"
    "  --iccid TEXT         the SIM card's ICCID the radio reports in every read (default: none)\n"
    "  --swap-file FILE     swap radios: whenever FILE's first line changes to an ICCID, another radio\n"
    "                       with that ICCID and the starting configuration takes the cable's place (the\n"
    "                       next request goes unanswered, as while a technician swaps radios)\n"
    "  --model TEXT, --ver TEXT, --bt-ver TEXT   information shown to the user ('' leaves bt_ver out)\n"
    "  --status N           status reported after a write or firmware update (default 0)\n"
    "  --nak-blocks N       refuse the first N block checks of every transfer it receives\n"
    "  --odd-blocks N       answer the next N block checks with a control frame that is no\n"
    "                       acknowledgement\n"
    "  --corrupt-block K[:T] send block K (from 1) of a read with a wrong checksum, T times (default "
    "always)\n"
    "  --bad-total-crc      end a read with a wrong checksum of the whole text\n"
    "  --alter-stored-block K  store block K of a received configuration with one value changed\n"
    "  --silent-after N     fall silent after N frames from the PC\n"
    "  --noise              garbage and stray frames around every frame it sends\n"
    "  --babble             send garbage only, never a frame\n"
    "  --no-pace            send as fast as the pseudo-terminal takes it (default: at the line rate)\n";

int Usage(const std::string& message) {
    std::fprintf(stderr, "talvero-radiosim: %s\n%s", message.c_str(), kUsage);
    return 2;
}

bool ParseNumber(const std::string& text, uint64_t& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && text[0] != '-';
}

// The first line of a small file, without its line end; empty when it cannot be read.
std::string FirstLine(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) {
        return {};
    }
    char buffer[256] = {};
    const bool got = std::fgets(buffer, sizeof buffer, f) != nullptr;
    std::fclose(f);
    std::string line = got ? buffer : "";
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) {
        line.pop_back();
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    RadioSimOptions options;
    std::string link, config, swapFile;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                return false;
            }
            out = args[++i];
            return true;
        };
        auto number = [&](uint64_t& out) {
            std::string text;
            return value(text) && ParseNumber(text, out);
        };
        std::string text;
        uint64_t n = 0;
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (a == "--link") {
            if (!value(link))
                return Usage("--link needs a path");
        } else if (a == "--config") {
            if (!value(config))
                return Usage("--config needs a file");
        } else if (a == "--dump") {
            if (!value(options.dumpPath))
                return Usage("--dump needs a file");
        } else if (a == "--firmware-dump") {
            if (!value(options.firmwareDumpPath))
                return Usage("--firmware-dump needs a file");
        } else if (a == "--code" || a == "--rental" || a == "--auth" || a == "--bt-ver") {
            if (!value(text))
                return Usage(a + " needs a value");
            auto& field = a == "--code"     ? options.code
                          : a == "--rental" ? options.rental
                          : a == "--auth"   ? options.auth
                                            : options.btVer;
            field = text.empty() ? std::nullopt : std::optional<std::string>(text);
        } else if (a == "--password") {
            if (!value(options.password))
                return Usage("--password needs a value");
        } else if (a == "--iccid") {
            if (!value(options.iccid))
                return Usage("--iccid needs a value");
        } else if (a == "--swap-file") {
            if (!value(swapFile) || swapFile.empty())
                return Usage("--swap-file needs a file");
        } else if (a == "--model") {
            if (!value(options.model))
                return Usage("--model needs a value");
        } else if (a == "--ver") {
            if (!value(options.ver))
                return Usage("--ver needs a value");
        } else if (a == "--status") {
            if (!number(n) || n > 0xFFFFFFFFu)
                return Usage("--status needs a number");
            options.status = static_cast<uint32_t>(n);
        } else if (a == "--nak-blocks") {
            if (!number(n) || n > 0xFFFFFFFFu)
                return Usage("--nak-blocks needs a number");
            options.nakBlocks = static_cast<uint32_t>(n);
        } else if (a == "--odd-blocks") {
            if (!number(n) || n > 0xFFFFFFFFu)
                return Usage("--odd-blocks needs a number");
            options.oddBlocks = static_cast<uint32_t>(n);
        } else if (a == "--corrupt-block") {
            if (!value(text))
                return Usage("--corrupt-block needs K or K:T");
            uint64_t k = 0, t = UINT32_MAX;
            const size_t colon = text.find(':');
            if (!ParseNumber(text.substr(0, colon), k) || k == 0 || k > 0xFFFFFFFFu ||
                (colon != std::string::npos &&
                 (!ParseNumber(text.substr(colon + 1), t) || t > 0xFFFFFFFFu))) {
                return Usage("--corrupt-block needs K or K:T");
            }
            options.corruptBlock = static_cast<uint32_t>(k);
            options.corruptTimes = static_cast<uint32_t>(t);
        } else if (a == "--alter-stored-block") {
            if (!number(n) || n == 0 || n > 0xFFFFFFFFu)
                return Usage("--alter-stored-block needs a block number from 1");
            options.alterStoredBlock = static_cast<uint32_t>(n);
        } else if (a == "--bad-total-crc") {
            options.badTotalCrc = true;
        } else if (a == "--silent-after") {
            if (!number(n) || n > INT64_MAX)
                return Usage("--silent-after needs a number");
            options.silentAfter = static_cast<int64_t>(n);
        } else if (a == "--noise") {
            options.noise = true;
        } else if (a == "--babble") {
            options.babble = true;
        } else if (a == "--no-pace") {
            options.pace = false;
        } else {
            return Usage("unknown option '" + a + "'");
        }
    }
    if (options.auth && options.auth != "0" && options.password.empty()) {
        return Usage("--auth needs --password");
    }

    CTalveroDoc doc;
    if (!config.empty()) {
        ConfigLoadResult r = OpenConfigurationFile(doc, config);
        if (!r.ok()) {
            std::fprintf(stderr, "talvero-radiosim: %s: %s\n", config.c_str(), r.Describe().c_str());
            return 1;
        }
    }
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    options.configText = CloneTextOfLines(lines);

    // Signals are taken by sigwait below, not by handlers, so the serving thread never sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RadioSimulator sim(options);
    std::string error;
    if (!sim.Start(error)) {
        std::fprintf(stderr, "talvero-radiosim: %s\n", error.c_str());
        return 1;
    }
    if (!link.empty()) {
        struct stat st;
        if (::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
            ::unlink(link.c_str());
        }
        if (::symlink(sim.Path().c_str(), link.c_str()) != 0) {
            std::fprintf(stderr, "talvero-radiosim: cannot link %s: %s\n", link.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    std::printf("%s\n", sim.Path().c_str());
    std::fflush(stdout);
    std::string lastSwap = FirstLine(swapFile);
    for (;;) {
        const struct timespec look = {0, 200 * 1000 * 1000};
        if (sigtimedwait(&stopSignals, nullptr, &look) > 0) {
            break;
        }
        if (swapFile.empty()) {
            continue;
        }
        const std::string next = FirstLine(swapFile);
        if (!next.empty() && next != lastSwap) {
            sim.SwapRadio(RadioIdentity{next, options.auth, options.password, options.configText});
            std::printf("swapped: %s\n", next.c_str());
            std::fflush(stdout);
        }
        lastSwap = next;
    }
    sim.Stop();
    if (!link.empty()) {
        ::unlink(link.c_str());
    }
    return 0;
}
