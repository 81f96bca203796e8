#include "fleet/fleet_ledger.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "platform/read_whole_file.h"
#include "platform/unicode.h"

int64_t LedgerWallClock() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool IsServerLedger(const std::string& address) {
    return address.rfind("postgresql://", 0) == 0 || address.rfind("postgres://", 0) == 0;
}

std::unique_ptr<IFleetLedger> OpenFleetLedger(const std::string& address, const LedgerAccess& access,
                                              ErrorInfo& error) {
    LedgerAccess withClock = access;
    if (!withClock.clock) {
        withClock.clock = LedgerWallClock;
    }
    if (address.empty()) {
        error = {kErrInvalidData, 0, "no ledger given"};
        return nullptr;
    }
    return IsServerLedger(address) ? OpenPostgresLedger(address, withClock, error)
                                   : OpenSqliteLedger(address, withClock, error);
}

namespace {

void Escaped(std::string& out, const std::string& text) {
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
}

bool Unescaped(std::string_view text, std::string& out) {
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return false;
        }
        switch (text[i]) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            default:
                return false;
        }
    }
    return true;
}

void Pair(std::string& out, const std::string& key, const std::string& value) {
    out += key;
    out += '\t';
    Escaped(out, value);
    out += '\n';
}

std::string CertKey(const char* stem, size_t slot) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%02zu", stem, slot + 1);
    return text;
}

// A CSV cell, quoted where needed; a cell a spreadsheet would take for a formula is kept as text.
std::string Cell(const std::string& text) {
    std::string value = text;
    if (!value.empty() && (value[0] == '=' || value[0] == '+' || value[0] == '-' || value[0] == '@' ||
                           value[0] == '\t' || value[0] == '\r')) {
        value.insert(value.begin(), '\'');
    }
    if (value.find_first_of(",\"\r\n") == std::string::npos) {
        return value;
    }
    std::string quoted = "\"";
    for (char c : value) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

}  // namespace

std::string SerializeFleetRow(const FleetRow& row) {
    std::string out;
    for (const auto& [id, value] : row.values) {
        Pair(out, Utf16ToUtf8(SettingKey(id)), Utf16ToUtf8(value));
    }
    for (size_t slot = 0; slot < row.certs.size(); ++slot) {
        if (!row.certs[slot]) {
            continue;
        }
        Pair(out, CertKey("cert_", slot), row.certs[slot]->path);
        if (row.certs[slot]->password) {
            Pair(out, CertKey("cert_password_", slot), Utf16ToUtf8(*row.certs[slot]->password));
        }
    }
    return out;
}

bool DeserializeFleetRow(const LedgerRow& stored, FleetRow& row) {
    row = FleetRow{};
    row.line = stored.line;
    row.radio = Utf8ToUtf16(stored.radio);
    std::string_view text = stored.values;
    std::map<size_t, std::string> passwords;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end + 1);
        const size_t tab = line.find('\t');
        std::string value;
        if (tab == std::string_view::npos || !Unescaped(line.substr(tab + 1), value)) {
            return false;
        }
        const std::string key(line.substr(0, tab));
        bool cert = false;
        for (size_t slot = 0; slot < row.certs.size(); ++slot) {
            if (key == CertKey("cert_", slot)) {
                row.certs[slot] = FleetCert{value, std::nullopt};
                cert = true;
            } else if (key == CertKey("cert_password_", slot)) {
                passwords[slot] = value;
                cert = true;
            }
        }
        if (cert) {
            continue;
        }
        const auto id = FindSettingByKey(Utf8ToUtf16(key));
        if (!id) {
            return false;
        }
        row.values.emplace_back(*id, Utf8ToUtf16(value));
    }
    for (const auto& [slot, password] : passwords) {
        if (!row.certs[slot]) {
            return false;
        }
        row.certs[slot]->password = Utf8ToUtf16(password);
    }
    return true;
}

std::vector<LedgerRow> LedgerRowsOf(const FleetPlan& plan) {
    std::vector<LedgerRow> rows;
    rows.reserve(plan.rows.size());
    for (FleetRow row : plan.rows) {
        // Another station reads the certificate from the same place, whatever its own folder.
        for (auto& cert : row.certs) {
            if (cert) {
                std::error_code ignored;
                const auto absolute = std::filesystem::absolute(cert->path, ignored);
                if (!absolute.empty()) {
                    cert->path = absolute.lexically_normal().string();
                }
            }
        }
        rows.push_back({0, row.line, Utf16ToUtf8(row.radio), SerializeFleetRow(row)});
    }
    return rows;
}

namespace {

void FileForm(const CTalveroDoc& doc, CIniData& map) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    std::u16string joined;
    for (const auto& l : lines) {
        joined += l;
        joined += u"\r\n";
    }
    map = CIniData();
    map.LoadText(joined);
}

}  // namespace

ErrorInfo LoadFleetTemplate(const std::string& templatePath, CIniData& templateMap) {
    CTalveroDoc templ;
    const ConfigLoadResult loaded = OpenConfigurationFile(templ, templatePath);
    if (!loaded.ok()) {
        return {kErrInvalidData, 0, templatePath + ": " + loaded.Describe()};
    }
    FileForm(templ, templateMap);
    return {};
}

FleetCheck CheckFleetForLedger(const std::string& templatePath, const std::string& fleetPath) {
    if (!templatePath.empty()) {
        return CheckFleet(templatePath, fleetPath);
    }
    CTalveroDoc factory;
    CIniData templateMap;
    FileForm(factory, templateMap);
    const WholeFile read = ReadWholeFile(fleetPath, 64u << 20);
    if (!read.ok()) {
        FleetCheck check;
        check.problems.push_back({0, FleetProblemKind::Unreadable, {}, {}, read.error.detail});
        return check;
    }
    const std::filesystem::path folder = std::filesystem::path(fleetPath).parent_path();
    return CheckFleetBytes(templateMap, read.bytes, folder.empty() ? "." : folder.string());
}

std::string LedgerTimeText(int64_t ms) {
    if (ms <= 0) {
        return {};
    }
    const std::time_t t = static_cast<std::time_t>(ms / 1000);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
    return text;
}

std::string LedgerReportCsv(const std::vector<LedgerOutcome>& outcomes) {
    std::string out = "station,port,model,iccid,row,start,end,result,reason,verify,backup\n";
    for (const auto& o : outcomes) {
        out += Cell(o.station) + "," + Cell(o.port) + "," + Cell(o.model) + "," + Cell(o.iccid) + "," +
               (o.line ? std::to_string(o.line) : std::string()) + "," + LedgerTimeText(o.startMs) + "," +
               LedgerTimeText(o.endMs) + "," + Cell(o.result) + "," + Cell(o.reason) + "," + Cell(o.verify) +
               "," + Cell(o.backup) + "\n";
    }
    return out;
}

LedgerStatus SummarizeLedger(const LedgerCounts& counts, int64_t nowMs, int64_t windowMs) {
    LedgerStatus s;
    std::map<std::string, LedgerStationStatus> stations;
    auto station = [&stations](const std::string& name) -> LedgerStationStatus& {
        LedgerStationStatus& st = stations[name];
        st.station = name;
        return st;
    };
    for (const auto& row : counts.rows) {
        ++s.rows;
        if (row.done) {
            ++s.done;
        } else if (row.held) {
            ++s.inProgress;
            ++station(row.station).inProgress;
        } else {
            ++s.left;
        }
    }
    // The rate counts the radios done inside the window, from its start or from the first radio
    // done in it, whichever is later, so a run that began a minute ago is not spread over the window.
    const int64_t windowStart = nowMs - windowMs;
    int64_t first = nowMs;
    unsigned recent = 0;
    std::map<std::string, unsigned> recentBy;
    for (const auto& e : counts.ended) {
        if (e.result == "done") {
            ++station(e.station).done;
            if (e.endMs > windowStart && e.endMs <= nowMs) {
                ++recent;
                ++recentBy[e.station];
                first = std::min(first, e.endMs);
            }
        } else if (e.result == "failed") {
            ++s.failed;
            ++station(e.station).failed;
        }
    }
    // With one radio done only, the span is unknown: no rate yet.
    const double spanHours = static_cast<double>(nowMs - first) / 3.6e6;
    if (recent >= 2 && spanHours > 0) {
        s.perHour = (recent - 1) / spanHours;
        for (auto& [name, st] : stations) {
            st.perHour = recentBy[name] / spanHours;
        }
        s.secondsLeft = static_cast<int64_t>((s.left + s.inProgress) / s.perHour * 3600.0 + 0.5);
    }
    for (auto& [name, st] : stations) {
        s.stations.push_back(st);
    }
    return s;
}

std::string DescribeLedgerStatus(const LedgerStatus& s) {
    char text[256];
    std::string out;
    std::snprintf(text, sizeof text, "rows %u: done %u, in progress %u, left %u; radios failed %u\n", s.rows,
                  s.done, s.inProgress, s.left, s.failed);
    out += text;
    if (s.secondsLeft >= 0) {
        std::snprintf(text, sizeof text, "rate %.1f radios/hour, time left %lld:%02lld:%02lld\n", s.perHour,
                      static_cast<long long>(s.secondsLeft / 3600),
                      static_cast<long long>(s.secondsLeft / 60 % 60),
                      static_cast<long long>(s.secondsLeft % 60));
    } else {
        std::snprintf(text, sizeof text, "rate: not known yet\n");
    }
    out += text;
    for (const auto& st : s.stations) {
        std::snprintf(text, sizeof text, "station %s: done %u, in progress %u, failed %u, %.1f radios/hour\n",
                      st.station.c_str(), st.done, st.inProgress, st.failed, st.perHour);
        out += text;
    }
    return out;
}
