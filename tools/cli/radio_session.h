#pragma once
// What every radio command of the command-line tool shares: the link options (port, speed,
// password, time-out, trace) and the session that runs a recipe with them and reports its outcome.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "link/clone_trace.h"
#include "link/radio_recipes.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "radio_host.h"

// The link options' part of every radio command's --help.
extern const char kLinkOptionsHelp[];

struct LinkArgs {
    std::optional<std::string> port;
    uint32_t speed = 38400;
    std::optional<std::u16string> password;
    std::optional<uint32_t> timeoutMs;
    std::optional<std::string> trace;
    bool quiet = false;             // no progress bar, no summary line
    std::vector<std::string> rest;  // everything that is not a link option
};

// Everything a radio command needs: the link settings, the host, the time-outs. A link without
// --port searches every port for the radio first.
struct RadioSession {
    std::string command;
    CloneLinkSettings link;
    CliCloneHost host;
    CloneTimings timings;
    CCloneTrace trace;
    bool quiet = false;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();

    RadioSession(std::string name, const LinkArgs& args)
        : command(std::move(name)), host(command, args.password), quiet(args.quiet) {
        host.m_quiet = args.quiet;
        link.m_comSpeed = args.speed;
        link.m_comPort = args.port.value_or(std::string());
        if (args.trace) {
            // A trace that cannot be written stops nothing: the command runs, the failure is told once.
            trace.Open(*args.trace, "talvero-cli " + command + " trace, started " + TraceTimestamp());
            link.m_trace = &trace;
            ReportTraceFailure();
        }
        if (args.timeoutMs) {
            timings.replyTimeoutMs = *args.timeoutMs;
            timings.writeTimeoutMs = *args.timeoutMs;
            timings.searchTimeoutMs = *args.timeoutMs;
        }
    }

    void ReportTraceFailure() {
        const ErrorInfo e = trace.TakeFailure();
        if (!e.ok()) {
            std::fprintf(stderr, "talvero-cli: %s: warning: no trace kept: %s\n", command.c_str(),
                         EscapeControls(e.detail).c_str());
        }
    }

    // Closes the trace; a failure to keep it is told once.
    void Finish() {
        trace.Close();
        ReportTraceFailure();
    }

    // The exit status of a recipe's outcome, with its one-line message on a failure.
    int Report(const RadioOutcome& outcome) {
        Finish();
        if (outcome.ok()) {
            return kExitOk;
        }
        if (outcome.stage == RadioStage::kCheck && outcome.result == kErrCancelled && host.m_noTerminal) {
            return Fail(
                command + ": the radio asks for its password: give --password-file or --password-stdin",
                kExitPassword);
        }
        if (outcome.stage == RadioStage::kDeclined) {
            if (host.m_unconfirmed) {
                return Fail(
                    command + ": this changes the radio for good: confirm it on a terminal or give --yes",
                    kExitUsage);
            }
            return Fail(command + ": cancelled; the radio was not touched", kExitCancelled);
        }
        return ReportRadioFailure(command, outcome, link);
    }

    // One line after a success: what was done, to which radio, how long it took, which file.
    void Summary(const RadioOutcome& outcome, const std::string& what) const {
        if (quiet) {
            return;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::string model = ShownText(outcome.information.GetValue(u"model", u""));
        if (model.empty()) {
            model = "radio";
        }
        std::printf("%s: %s on %s: %s in %.1f s\n", command.c_str(), model.c_str(),
                    EscapeControls(link.m_comPort).c_str(), EscapeControls(what).c_str(), seconds);
        std::fflush(stdout);
    }
};

// Splits off the link options; on a mistake prints it, stores the exit status and returns false.
bool ParseLinkArgs(const std::string& command, const std::vector<std::string>& args, LinkArgs& out,
                   int& status);
