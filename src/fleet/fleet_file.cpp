#include "fleet/fleet_file.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_map>

#include "certs/cert_slot.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "idlist/csv_reader.h"
#include "pages/page_rule_check.h"
#include "platform/read_whole_file.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

constexpr char16_t kRadioColumn[] = u"radio";
constexpr size_t kMaxFleetBytes = 64u << 20;
// A row naming every setting of the catalogue with long values stays far below this; a longer line
// is refused before it is decoded, so that one huge cell costs no more than its bytes in the file.
constexpr size_t kMaxFleetLineBytes = 1u << 20;

// Strict UTF-8: an invalid sequence refuses the whole file instead of turning into U+FFFD in a
// value that would then be written to radios. Checked over the bytes before any row, so that a file
// with a fault is refused for that alone; false with the 1-based line of the fault.
bool CheckUtf8(std::string_view bytes, unsigned& badLine) {
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
    text.reserve(bytes.size() / 2);
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

// The file's lines, one at a time, as UTF-16 without their line ends. UTF-8 (the usual case) is
// decoded line by line, so a file costs its bytes and one line more; UTF-16 is already that size.
class FleetLines {
  public:
    // False with the line of the first fault when the bytes are not a fleet file's text.
    bool Open(std::string_view bytes, unsigned& badLine) {
        if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
            m_wide = true;
            return DecodeUtf16(bytes.substr(2), bytes[0] == '\xFE', m_text, badLine);
        }
        m_bytes = bytes.starts_with("\xEF\xBB\xBF") ? bytes.substr(3) : bytes;
        return CheckUtf8(m_bytes, badLine);
    }
    // The next line and its 1-based number; false at the end. A line longer than kMaxFleetLineBytes
    // is not decoded: `tooLong` is set and the line is empty.
    bool Next(std::u16string_view& line, unsigned& number, bool& tooLong) {
        const size_t size = m_wide ? m_text.size() : m_bytes.size();
        if (m_pos >= size) {
            return false;
        }
        size_t end = m_wide ? m_text.find(u'\n', m_pos) : m_bytes.find('\n', m_pos);
        if (end == std::string_view::npos) {
            end = size;
        }
        tooLong = (end - m_pos) * (m_wide ? 2 : 1) > kMaxFleetLineBytes;
        if (tooLong) {
            line = {};
        } else if (m_wide) {
            line = std::u16string_view(m_text).substr(m_pos, end - m_pos);
        } else {
            m_line = Utf8ToUtf16(m_bytes.substr(m_pos, end - m_pos));
            line = m_line;
        }
        if (line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        m_pos = end + 1;
        number = ++m_number;
        return true;
    }

  private:
    bool m_wide = false;
    std::string_view m_bytes;
    std::u16string m_text;
    std::u16string m_line;
    size_t m_pos = 0;
    unsigned m_number = 0;
};

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
            return s + "'" + ShownText(p.column) + "' names no setting that can be written to a radio";
        case FleetProblemKind::RepeatedColumn:
            return s + "column '" + ShownText(p.column) + "' is named twice";
        case FleetProblemKind::LongLine:
            return s + "the line is longer than " + std::to_string(kMaxFleetLineBytes >> 20) +
                   " MB; no row of a fleet file needs that much";
        case FleetProblemKind::ExtraFields:
            return s + "more fields than the header names";
        case FleetProblemKind::NoRadio:
            return s + "empty 'radio' cell (an ICCID, or * for any radio)";
        case FleetProblemKind::DuplicateRadio:
            return s + "ICCID " + ShownText(p.value) + " is already named on " + p.detail;
        case FleetProblemKind::RefusedValue:
            return s + column + ": value '" + ShownText(p.value) + "' refused (" + p.detail + ")";
        case FleetProblemKind::Certificate:
            return s + column + ": " + ShownText(p.value) + ": " + p.detail;
        case FleetProblemKind::BadRadio:
            return s + "'radio' cell '" + ShownText(p.value) +
                   "' is not an ICCID (1 to 22 digits) nor * for any radio";
    }
    return s + p.detail;
}

bool ApplyFleetRow(CTalveroDoc& doc, const CIniData& templateMap, const FleetRow& row,
                   FleetProblem& problem) {
    doc.LoadSettings(templateMap, true);
    return ApplyFleetRowValues(doc, row, problem);
}

bool ApplyFleetRowValues(CTalveroDoc& doc, const FleetRow& row, FleetProblem& problem) {
    for (const auto& [id, value] : row.values) {
        if (const PageVerdict verdict = SetThroughPage(doc, id, value); !verdict.accepted) {
            problem = {row.line, FleetProblemKind::RefusedValue, SettingKey(id), value, verdict.Message()};
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

namespace {

// An ICCID is digits only (ITU-T E.118: at most 22); anything else in the "radio" column would
// reach the report and the terminal as the radio's identity.
constexpr size_t kMaxIccidDigits = 22;

// ICCIDs seen so far, held as numbers: a million rows cost a few dozen bytes each.
struct IccidKey {
    unsigned __int128 digits = 0;
    unsigned length = 0;  // "0042" and "42" are different ICCIDs
    bool operator==(const IccidKey&) const = default;
};
struct IccidHash {
    size_t operator()(const IccidKey& k) const {
        const auto lo = static_cast<uint64_t>(k.digits);
        const auto hi = static_cast<uint64_t>(k.digits >> 64);
        return std::hash<uint64_t>{}(lo ^ (hi * 0x9E3779B97F4A7C15ull) ^ (uint64_t{k.length} << 59));
    }
};

IccidKey KeyOf(std::u16string_view iccid) {
    IccidKey key;
    for (char16_t c : iccid) {
        key.digits = key.digits * 10 + static_cast<unsigned>(c - u'0');
    }
    key.length = static_cast<unsigned>(iccid.size());
    return key;
}

// True when every setting of `doc` holds what `base` holds.
bool SameSettings(const CTalveroDoc& doc, const CTalveroDoc& base) {
    const auto& cat = SettingsCatalogue();
    for (size_t d = 0; d < cat.size(); ++d) {
        const unsigned n = FamilyCount(cat[d].family);
        for (unsigned i = 0; i < n; ++i) {
            const SettingId id{static_cast<uint16_t>(d), static_cast<uint16_t>(i)};
            if (doc.Get(id) != base.Get(id)) {
                return false;
            }
        }
    }
    return true;
}

// Puts `doc` back to the template after a row was applied. Loading the template again costs as
// much as several hundred setters, which over a million rows is minutes; putting back only the
// settings the row named costs as many setters as the row has values. Setters may change other
// settings on the way (the WLAN security chain) or refuse the way back (the AF range), so the
// result is compared with the template, and only a difference loads the template again.
void BackToTemplate(CTalveroDoc& doc, const CTalveroDoc& base, const CIniData& templateMap,
                    const FleetRow& row) {
    bool certs = false;
    for (const auto& cert : row.certs) {
        certs = certs || cert.has_value();
    }
    if (!certs) {
        for (const auto& [id, value] : row.values) {
            doc.Set(id, base.Get(id));
        }
        if (SameSettings(doc, base)) {
            return;
        }
    }
    doc.LoadSettings(templateMap, true);
}

}  // namespace

bool IsIccid(std::u16string_view text) {
    return !text.empty() && text.size() <= kMaxIccidDigits &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool IsIccid(std::string_view text) {
    return !text.empty() && text.size() <= kMaxIccidDigits &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

FleetCheck CheckFleetBytes(const CIniData& templateMap, std::string_view bytes, const std::string& folder,
                           bool keepRows) {
    FleetCheck check;
    check.plan.templateMap = templateMap;
    auto& problems = check.problems;
    FleetLines lines;
    unsigned badLine = 0;
    if (!lines.Open(bytes, badLine)) {
        problems.push_back({badLine, FleetProblemKind::Encoding, {}, {}, {}});
        return check;
    }
    // One pass: the header, then each row checked as it is read. Blank lines are skipped but
    // keep the count.
    std::u16string_view line;
    unsigned lineNo = 0;
    CsvRow fields;
    bool tooLong = false, sawLongLine = false;
    auto nextRow = [&]() {
        while (lines.Next(line, lineNo, tooLong)) {
            if (tooLong) {
                problems.push_back({lineNo, FleetProblemKind::LongLine, {}, {}, {}});
                sawLongLine = true;
                continue;
            }
            if (line.find_first_not_of(u" \t") != std::u16string_view::npos) {
                SplitCsvLine(line, fields, true);
                return true;
            }
        }
        return false;
    };
    if (!nextRow()) {
        problems.push_back({1, FleetProblemKind::Empty, {}, {}, "no header row"});
        return check;
    }
    const unsigned headerLine = lineNo;
    std::vector<Column> columns;
    std::set<std::u16string> seen;
    bool hasRadio = false;
    for (const auto& name : fields) {
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

    std::unordered_map<IccidKey, unsigned, IccidHash> radios;
    CTalveroDoc base;
    base.LoadSettings(templateMap, true);
    CTalveroDoc doc;
    doc.LoadSettings(templateMap, true);
    bool anyRow = false;
    while (nextRow()) {
        anyRow = true;
        if (fields.size() > columns.size()) {
            problems.push_back({lineNo, FleetProblemKind::ExtraFields, {}, {}, {}});
            continue;
        }
        FleetRow row;
        row.line = lineNo;
        for (size_t f = 0; f < fields.size(); ++f) {
            std::u16string& value = fields[f];
            const Column& c = columns[f];
            if (c.kind == Column::Radio) {
                row.radio = std::move(value);
            } else if (value.empty()) {
                continue;  // the template's value stays
            } else if (c.kind == Column::Setting) {
                row.values.emplace_back(c.id, std::move(value));
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
                cert->password = std::move(value);
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
            problems.push_back({lineNo, FleetProblemKind::NoRadio, {}, {}, {}});
            continue;
        }
        if (!row.AnyRadio()) {
            if (!IsIccid(row.radio)) {
                problems.push_back({lineNo, FleetProblemKind::BadRadio, kRadioColumn, row.radio, {}});
                continue;
            }
            auto [it, fresh] = radios.emplace(KeyOf(row.radio), lineNo);
            if (!fresh) {
                // Its values are still checked, so that one pass lists every fault.
                problems.push_back({lineNo, FleetProblemKind::DuplicateRadio, kRadioColumn, row.radio,
                                    "line " + std::to_string(it->second)});
            }
        }
        FleetProblem problem;
        const bool applied = ApplyFleetRowValues(doc, row, problem);
        BackToTemplate(doc, base, templateMap, row);
        if (!applied) {
            problems.push_back(std::move(problem));
            continue;
        }
        ++check.rowCount;
        check.anyRadioRows += row.AnyRadio() ? 1 : 0;
        if (keepRows && problems.empty()) {
            check.plan.rows.push_back(std::move(row));
        }
    }
    if (!anyRow && !sawLongLine) {
        problems.push_back({headerLine, FleetProblemKind::Empty, {}, {}, "no row after its header"});
    }
    if (!problems.empty()) {
        check.plan.rows.clear();
        check.plan.rows.shrink_to_fit();
    }
    return check;
}

FleetCheck CheckFleet(const std::string& templatePath, const std::string& fleetPath, bool keepRows) {
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
    return CheckFleetBytes(templateMap, bytes, folder.empty() ? "." : folder.string(), keepRows);
}
