#pragma once
// The fleet file: one configuration template and a CSV table with a row per radio. The header row
// names setting keys as the file form writes them ("disp_name_01", "access_pass", "wlan_psk_01"),
// the column "radio" (the ICCID the radio reports, or "*" for the next radio that matches no other
// row) and optionally "cert_01" … "cert_04" (a certificate file for that slot, relative to the
// fleet file's folder) with "cert_password_01" … "cert_password_04". An empty cell keeps the
// template's value.
//
// The file is UTF-8 (with or without byte-order mark) or UTF-16 with byte-order mark, lines ending
// in LF or CR LF. CheckFleet reads and checks all of it before any radio is touched: every row is
// applied to the template as it will be for its radio, so a row that passes the check is a row
// the radio can be written with.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/ini_data.h"
#include "document/settings_catalogue.h"

class CTalveroDoc;

inline constexpr char16_t kFleetAnyRadio[] = u"*";

struct FleetCert {
    std::string path;  // as resolved against the fleet file's folder
    std::optional<std::u16string> password;
};

struct FleetRow {
    unsigned line = 0;     // 1-based line of the fleet file
    std::u16string radio;  // an ICCID, or kFleetAnyRadio
    // Values in catalogue order, so that a setting another one depends on is set first.
    std::vector<std::pair<SettingId, std::u16string>> values;
    std::array<std::optional<FleetCert>, kCertSlots> certs;
    bool AnyRadio() const { return radio == kFleetAnyRadio; }
};

enum class FleetProblemKind {
    Template,        // the template cannot be opened
    Unreadable,      // the fleet file cannot be read
    Encoding,        // neither UTF-8 nor UTF-16 with byte-order mark
    Empty,           // no header, or no row
    NoRadioColumn,   // the header lacks "radio"
    UnknownColumn,   // a header field that names no writable setting
    RepeatedColumn,  // a header field named twice
    ExtraFields,     // a row with more fields than the header
    LongLine,        // a line longer than any row needs (1 MB)
    NoRadio,         // an empty "radio" cell
    BadRadio,        // a "radio" cell that is neither "*" nor an ICCID (digits only)
    DuplicateRadio,  // an ICCID named on an earlier row too
    RefusedValue,    // the setting's rule refuses the value
    Certificate,     // the certificate file cannot be imported
};

struct FleetProblem {
    unsigned line = 0;  // 0: the template or the file as a whole
    FleetProblemKind kind;
    std::u16string column;
    std::u16string value;
    std::string detail;  // what was wrong, for the message
};

// One line for the user: "line 4: wlan_psk_01: value 'x' refused (8 to 63 characters)". Values are
// repeated cut to their first 64 characters and with control characters escaped.
std::string DescribeFleetProblem(const FleetProblem& problem);

struct FleetPlan {
    CIniData templateMap;  // the template in its file form
    std::vector<FleetRow> rows;
};

struct FleetCheck {
    FleetPlan plan;
    std::vector<FleetProblem> problems;  // in line order
    size_t rowCount = 0;                 // rows that passed, also when they are not kept
    size_t anyRadioRows = 0;             // of these, rows for any radio
    bool ok() const { return problems.empty(); }
};

// An ICCID as a fleet file names it and a radio must report it: 1 to 22 digits, nothing else.
bool IsIccid(std::u16string_view text);
bool IsIccid(std::string_view text);

// Reads and checks the template and the fleet file in one pass over its rows; the time is linear
// in the file's size and the memory is the file's bytes plus, with `keepRows` (what a run needs),
// the rows. Without `keepRows` only the counts are kept.
FleetCheck CheckFleet(const std::string& templatePath, const std::string& fleetPath, bool keepRows = true);
// The same over the fleet file's bytes; `folder` resolves relative certificate paths.
FleetCheck CheckFleetBytes(const CIniData& templateMap, std::string_view bytes, const std::string& folder,
                           bool keepRows = true);

// Makes `doc` the template with the row applied: its values through the validating setters, then
// its certificates. False, with the first problem, when anything is refused (the document is then
// not fit to be written).
bool ApplyFleetRow(CTalveroDoc& doc, const CIniData& templateMap, const FleetRow& row, FleetProblem& problem);
// The same onto a document that holds the template already.
bool ApplyFleetRowValues(CTalveroDoc& doc, const FleetRow& row, FleetProblem& problem);
