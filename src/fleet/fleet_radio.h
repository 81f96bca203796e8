#pragma once
// One radio of a fleet, start to finish: read it (the read is its backup and names its ICCID),
// take its row, apply the template and the row, write, read back and compare, and describe the
// outcome as a report line. Each step goes through the radio recipes, so the radio sees exactly
// what the program's own commands send. A radio is written only with a row that passed the fleet
// check, and a radio whose read or row fails is never written.
#include <functional>
#include <optional>
#include <string>

#include "document/ini_data.h"
#include "document/read_backup.h"
#include "fleet/fleet_file.h"
#include "fleet/fleet_report.h"
#include "link/radio_recipes.h"

enum class FleetRadioState { kWaiting, kReading, kWriting, kVerifying, kDone, kFailed, kSkipped };
const char* FleetStateName(FleetRadioState state);

// The row chosen for a radio, or why none is.
struct FleetPick {
    const FleetRow* row = nullptr;
    bool skip = false;   // the radio is done already: nothing is written, nothing failed
    std::string reason;  // without a row: why
};

// What one radio needs from the run that handles it. Every callback may be called from the
// worker's thread and must be safe there.
struct FleetRadioContext {
    std::string port;
    uint32_t speed = 38400;
    std::optional<std::u16string> password;  // the radios' password, when they ask for one
    CloneTimings timings;
    std::string model;  // from the information exchange that found the radio

    std::function<void(FleetRadioState state, unsigned rowLine)> onState;
    std::function<void(uint32_t value)> onProgress;  // a recipe's progress value (bit 31: range)
    // Takes a row for the ICCID; `finish` gives it back (done: used for good).
    std::function<FleetPick(const std::string& iccid)> pick;
    std::function<void(const FleetRow& row, const std::string& iccid, bool done)> finish;
    std::function<BackupResult(const RadioOutcome& read)> saveBackup;
};

// Runs one radio; returns its report line (time, port, model, ICCID, row, result, reason,
// duration, backup).
FleetReportLine ProvisionRadio(const CIniData& templateMap, FleetRadioContext& context);

// One line for a recipe's failure, as the report and the terminal show it.
std::string DescribeRadioFailure(const RadioOutcome& outcome);
