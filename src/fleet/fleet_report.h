#pragma once
// The fleet report: a CSV file (UTF-8, LF) with one line per radio handled, appended as each radio
// ends, so that an interrupted run loses nothing and a rerun knows which radios are done. Lines
// are written whole under a lock with one write each; the header is written when the file is new.
//   time,port,model,iccid,row,result,reason,seconds,backup
// "row" is the fleet file's line number of the row used (empty when none was); "result" is
// "done", "failed" or "skipped".
#include <cstdint>
#include <mutex>
#include <set>
#include <string>

#include "platform/error_codes.h"

struct FleetReportLine {
    std::string time;  // local "YYYY-MM-DD HH:MM:SS" when the radio was taken up
    std::string port;
    std::string model;
    std::string iccid;
    unsigned row = 0;
    std::string result;  // kFleetDone, kFleetFailed, kFleetSkipped
    std::string reason;
    double seconds = 0;
    std::string backup;
};

inline constexpr char kFleetDone[] = "done";
inline constexpr char kFleetFailed[] = "failed";
inline constexpr char kFleetSkipped[] = "skipped";

// What earlier runs finished: the ICCIDs and the fleet rows of every "done" line.
struct FleetHistory {
    std::set<std::string> doneRadios;
    std::set<unsigned> doneRows;
};

// Reads an existing report; a missing file is an empty history, an unreadable one an error.
ErrorInfo ReadFleetHistory(const std::string& path, FleetHistory& history);

class FleetReport {
  public:
    explicit FleetReport(std::string path) : m_path(std::move(path)) {}
    // Appends one line (and the header first when the file is new or empty).
    ErrorInfo Append(const FleetReportLine& line);
    const std::string& Path() const { return m_path; }

  private:
    std::string m_path;
    std::mutex m_lock;
};

// One CSV line without its line end, each field quoted where it holds a comma, quote or line end.
std::string FleetReportCsv(const FleetReportLine& line);
