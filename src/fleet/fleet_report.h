#pragma once
// The fleet report: a CSV file (UTF-8, LF) with one line per radio handled, appended as each radio
// ends, so that an interrupted run loses nothing and a rerun knows which radios are done. Lines
// are written whole under a lock with one write each; the header is written when the file is new.
//   time,port,model,iccid,row,result,reason,seconds,backup
// "row" is the fleet file's line number of the row used (empty when none was); "result" is
// "done", "failed" or "skipped". Cells that a spreadsheet would run as formulas are written with a
// leading apostrophe (a radio's model text is the radio's to choose).
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

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
// The report is read by people, in spreadsheets too, and its cells come from radios: control
// characters are escaped and each cell goes through SpreadsheetSafeCell.
std::string FleetReportCsv(const FleetReportLine& line);

// A cell a spreadsheet would run as a formula (it begins with = + - @, a tab or a carriage return)
// gets a leading apostrophe, which spreadsheets show as text; any other cell is returned as it is.
// Only for files people read: a data file read back by programs keeps its cells exact.
std::string SpreadsheetSafeCell(std::string_view text);
