#include "fleet/fleet_file.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "certs/cert_slot.h"
#include "document/config_file.h"
#include "document/refusal_reason.h"
#include "document/talvero_doc.h"
#include "idlist/csv_reader.h"
#include "platform/read_whole_file.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

constexpr char16_t kRadioColumn[] = u"radio";
constexpr size_t kMaxFleetBytes = 64u << 20;

// Strict UTF-8: an invalid sequence refuses the whole file instead of turning into U+FFFD in a
// value that would then be written to radios. False with the 1-based line of the fault.
bool DecodeUtf8(std::string_view bytes, std::u16string& text, unsigned& badLine) {
    unsigned line = 1;
    for (size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        uint32_t cp = 0;
        size_t n = 0;
        if (b < 0x80) {
            cp = b;
            n = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            n = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            n = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            n = 4;
        } else {
            badLine = line;
            return false;
        }
        if (i + n > bytes.size()) {
            badLine = line;
            return false;
        }
        for (size_t k = 1; k < n; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80) {
                badLine = line;
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        static constexpr uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || cp == 0) {
            badLine = line;
            return false;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            text.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            text.push_back(static_cast<char16_t>(cp));
        }
        if (cp == '\n') {
            ++line;
        }
        i += n;
    }
    return true;
}

bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& text, unsigned& badLine) {
    badLine = 1;
    if (bytes.size() % 2 != 0) {
        return false;
    }
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        const auto unit = static_cast<char16_t>(hi << 8 | lo);
        if (unit == 0) {
            return false;
        }
        text.push_back(unit);
        if (unit == u'\n') {
            ++badLine;
        }
    }
    // Unpaired surrogates would reach the radio as garbage.
    unsigned line = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (u == u'\n') {
            ++line;
        } else if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                badLine = line;
                return false;
            }
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            badLine = line;
            return false;
        }
    }
    return true;
}

bool DecodeFleetBytes(std::string_view bytes, std::u16string& text, unsigned& badLine) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return DecodeUtf8(bytes.substr(3), text, badLine);
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return DecodeUtf16(bytes.substr(2), false, text, badLine);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return DecodeUtf16(bytes.substr(2), true, text, badLine);
    }
    return DecodeUtf8(bytes, text, badLine);
}

std::string U8(std::u16string_view text) {
    return Utf16ToUtf8(text);
}

std::string CertText(uint32_t code) {
    switch (code) {
        case kErrFileNotFound:
            return "file not found";
        case kErrAccessDenied:
            return "file not readable";
        case kErrInvalidPassword:
            return "wrong password";
        case kErrCancelled:
            return "the file needs a password: give cert_password column";
        case kErrPkcs12TooCostly:
            return "the file asks for more than " + std::to_string(kPkcs12MaxIterations) + " password rounds";
        default:
            return "not a certificate this slot takes (" + DescribeCode(code) + ")";
    }
}

// "cert_01" → slot 0, "cert_password_04" → slot 3 with `password` set.
std::optional<unsigned> CertColumn(std::u16string_view name, bool& password) {
    password = name.starts_with(u"cert_password_");
    const std::u16string_view prefix = password ? u"cert_password_" : u"cert_";
    if (!name.starts_with(prefix) || name.size() != prefix.size() + 2 || name[prefix.size()] != u'0') {
        return std::nullopt;
    }
    const char16_t d = name[prefix.size() + 1];
    if (d < u'1' || d > u'0' + kCertSlots) {
        return std::nullopt;
    }
    return static_cast<unsigned>(d - u'1');
}

struct Column {
    enum Kind { Radio, Setting, Cert, CertPassword } kind;
    SettingId id;
    unsigned slot = 0;
};

}  // namespace

std::string DescribeFleetProblem(const FleetProblem& p) {
    std::string s = p.line ? "line " + std::to_string(p.line) + ": " : std::string();
    const std::string column = U8(p.column);
    switch (p.kind) {
        case FleetProblemKind::Template:
            return s + "template: " + p.detail;
        case FleetProblemKind::Unreadable:
            return s + "cannot read the fleet file: " + p.detail;
        case FleetProblemKind::Encoding:
            return s + "not UTF-8 text, nor UTF-16 with a byte-order mark";
        case FleetProblemKind::Empty:
            return s + "the fleet file has " + p.detail;
        case FleetProblemKind::NoRadioColumn:
            return s + "the header names no 'radio' column";
        case FleetProblemKind::UnknownColumn:
            return s + "'" + column + "' names no setting that can be written to a radio";
        case FleetProblemKind::RepeatedColumn:
            return s + "column '" + column + "' is named twice";
        case FleetProblemKind::ExtraFields:
            return s + "more fields than the header names";
        case FleetProblemKind::NoRadio:
            return s + "empty 'radio' cell (an ICCID, or * for any radio)";
        case FleetProblemKind::DuplicateRadio:
            return s + "ICCID " + U8(p.value) + " is already named on " + p.detail;
        case FleetProblemKind::RefusedValue:
            return s + column + ": value '" + U8(p.value) + "' refused (" + p.detail + ")";
        case FleetProblemKind::Certificate:
            return s + column + ": " + U8(p.value) + ": " + p.detail;
    }
    return s + p.detail;
}

bool ApplyFleetRow(CTalveroDoc& doc, const CIniData& templateMap, const FleetRow& row,
                   FleetProblem& problem) {
    doc.LoadSettings(templateMap, true);
    for (const auto& [id, value] : row.values) {
        if (!doc.Set(id, value)) {
            problem = {row.line, FleetProblemKind::RefusedValue, SettingKey(id), value,
                       RefusalReason(id, value)};
            return false;
        }
    }
    for (unsigned slot = 0; slot < kCertSlots; ++slot) {
        const auto& cert = row.certs[slot];
        if (!cert) {
            continue;
        }
        // The password column answers the file's prompt; without one a protected file fails.
        const CertPasswordPrompt prompt = [&cert](std::u16string& password) {
            if (!cert->password) {
                return false;
            }
            password = *cert->password;
            return true;
        };
        const uint32_t code = ImportCertificateIntoSlot(doc, slot, cert->path, prompt);
        if (code != kErrSuccess) {
            char16_t name[] = u"cert_0N";
            name[6] = static_cast<char16_t>(u'1' + slot);
            problem = {row.line, FleetProblemKind::Certificate, name, Utf8ToUtf16(cert->path),
                       CertText(code)};
            return false;
        }
    }
    return true;
}

FleetCheck CheckFleetBytes(const CIniData& templateMap, std::string_view bytes, const std::string& folder) {
    FleetCheck check;
    check.plan.templateMap = templateMap;
    auto& problems = check.problems;
    std::u16string text;
    unsigned badLine = 0;
    if (!DecodeFleetBytes(bytes, text, badLine)) {
        problems.push_back({badLine, FleetProblemKind::Encoding, {}, {}, {}});
        return check;
    }
    // Lines end in LF or CR LF; blank lines are skipped but keep the count.
    std::vector<std::pair<unsigned, CsvRow>> lines;
    unsigned lineNo = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) {
            end = text.size();
        }
        std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        if (line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        ++lineNo;
        start = end + 1;
        if (line.find_first_not_of(u" \t") == std::u16string_view::npos) {
            continue;
        }
        CsvRow fields;
        SplitCsvLine(line, fields, true);
        lines.emplace_back(lineNo, std::move(fields));
    }
    if (lines.empty()) {
        problems.push_back({1, FleetProblemKind::Empty, {}, {}, "no header row"});
        return check;
    }
    if (lines.size() == 1) {
        problems.push_back({lines[0].first, FleetProblemKind::Empty, {}, {}, "no row after its header"});
        return check;
    }

    const unsigned headerLine = lines[0].first;
    std::vector<Column> columns;
    std::set<std::u16string> seen;
    bool hasRadio = false;
    for (const auto& name : lines[0].second) {
        Column c{Column::Setting, {}, 0};
        bool password = false;
        if (!seen.insert(name).second) {
            problems.push_back({headerLine, FleetProblemKind::RepeatedColumn, name, {}, {}});
        }
        if (name == kRadioColumn) {
            c.kind = Column::Radio;
            hasRadio = true;
        } else if (auto slot = CertColumn(name, password)) {
            c.kind = password ? Column::CertPassword : Column::Cert;
            c.slot = *slot;
        } else if (auto id = FindSettingByKey(name); id && SettingsCatalogue()[id->def].rendered &&
                                                     SettingsCatalogue()[id->def].family != Family::Info) {
            c.id = *id;
        } else {
            problems.push_back({headerLine, FleetProblemKind::UnknownColumn, name, {}, {}});
        }
        columns.push_back(c);
    }
    if (!hasRadio) {
        problems.push_back({headerLine, FleetProblemKind::NoRadioColumn, {}, {}, {}});
    }
    if (!problems.empty()) {
        return check;
    }

    std::map<std::u16string, unsigned> radios;
    CTalveroDoc doc;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto& [line, fields] = lines[i];
        if (fields.size() > columns.size()) {
            problems.push_back({line, FleetProblemKind::ExtraFields, {}, {}, {}});
            continue;
        }
        FleetRow row;
        row.line = line;
        for (size_t f = 0; f < fields.size(); ++f) {
            const std::u16string& value = fields[f];
            const Column& c = columns[f];
            if (c.kind == Column::Radio) {
                row.radio = value;
            } else if (value.empty()) {
                continue;  // the template's value stays
            } else if (c.kind == Column::Setting) {
                row.values.emplace_back(c.id, value);
            } else if (c.kind == Column::Cert) {
                const fs::path p = Utf16ToUtf8(value);
                auto& cert = row.certs[c.slot];
                if (!cert) {
                    cert.emplace();
                }
                cert->path = (p.is_absolute() ? p : fs::path(folder) / p).string();
            } else {
                auto& cert = row.certs[c.slot];
                if (!cert) {
                    cert.emplace();
                }
                cert->password = value;
            }
        }
        std::sort(row.values.begin(), row.values.end(), [](const auto& a, const auto& b) {
            return a.first.def != b.first.def ? a.first.def < b.first.def : a.first.index < b.first.index;
        });
        // A password without its certificate has nothing to open.
        for (auto& cert : row.certs) {
            if (cert && cert->path.empty()) {
                cert.reset();
            }
        }
        if (row.radio.empty()) {
            problems.push_back({line, FleetProblemKind::NoRadio, {}, {}, {}});
            continue;
        }
        if (!row.AnyRadio()) {
            auto [it, fresh] = radios.emplace(row.radio, line);
            if (!fresh) {
                // Its values are still checked, so that one pass lists every fault.
                problems.push_back({line, FleetProblemKind::DuplicateRadio, kRadioColumn, row.radio,
                                    "line " + std::to_string(it->second)});
            }
        }
        FleetProblem problem;
        if (!ApplyFleetRow(doc, templateMap, row, problem)) {
            problems.push_back(problem);
            continue;
        }
        check.plan.rows.push_back(std::move(row));
    }
    if (!problems.empty()) {
        check.plan.rows.clear();
    }
    return check;
}

FleetCheck CheckFleet(const std::string& templatePath, const std::string& fleetPath) {
    CTalveroDoc templ;
    const ConfigLoadResult loaded = OpenConfigurationFile(templ, templatePath);
    if (!loaded.ok()) {
        FleetCheck check;
        check.problems.push_back(
            {0, FleetProblemKind::Template, {}, {}, templatePath + ": " + loaded.Describe()});
        return check;
    }
    std::vector<std::u16string> lines;
    templ.RenderSettings(lines, true);
    std::u16string joined;
    for (const auto& l : lines) {
        joined += l;
        joined += u"\r\n";
    }
    CIniData templateMap;
    templateMap.LoadText(joined);

    const WholeFile read = ReadWholeFile(fleetPath, kMaxFleetBytes);
    if (!read.ok()) {
        FleetCheck check;
        check.problems.push_back({0, FleetProblemKind::Unreadable, {}, {}, read.error.detail});
        return check;
    }
    const std::string& bytes = read.bytes;
    const fs::path folder = fs::path(fleetPath).parent_path();
    return CheckFleetBytes(templateMap, bytes, folder.empty() ? "." : folder.string());
}
