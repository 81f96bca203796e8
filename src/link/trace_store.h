#pragma once
// Where the program keeps the serial traces of its radio commands: one file per command in
// $XDG_STATE_HOME/Talvero/traces (~/.local/state/Talvero/traces), named by the time it began so
// that names sort by age, and only the newest few kept.
#include <chrono>
#include <string>
#include <vector>

#include "platform/error_codes.h"

inline constexpr size_t kKeptTraces = 10;

std::string DefaultTraceFolder();

// A fresh path for the trace of `command` ("read", "write" ...) in `folder`, which is made private
// (platform/private_files.h) when needed; empty with `error` set when it cannot be.
std::string NewTracePath(const std::string& folder, const std::string& command, ErrorInfo& error,
                         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

// The traces in `folder`, newest first.
std::vector<std::string> ListTraces(const std::string& folder);

// Removes all but the newest `keep` traces.
void PruneTraces(const std::string& folder, size_t keep = kKeptTraces);
