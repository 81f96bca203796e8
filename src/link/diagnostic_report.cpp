#include "link/diagnostic_report.h"

#include <sys/utsname.h>

#include <fstream>
#include <sstream>

#include "document/secret_keys.h"
#include "document/talvero_doc.h"
#include "link/clone_trace.h"
#include "link/trace_store.h"
#include "platform/posix/port_enum.h"
#include "platform/unicode.h"
#include "platform/version_block.h"

namespace {

constexpr char kFolder[] = "talvero-report/";

std::string ProgramVersion() {
    const VersionBlock* block = ProgramVersionBlock();
    if (!block) {
        return "unknown";
    }
    return std::to_string(block->fileVersionMS >> 16) + "." + std::to_string(block->fileVersionMS & 0xFFFF) +
           "." + std::to_string(block->fileVersionLS >> 16) + "." +
           std::to_string(block->fileVersionLS & 0xFFFF);
}

std::string ReadSmallFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str().substr(0, 1 << 20);
}

std::string OsName() {
    std::istringstream release(ReadSmallFile("/etc/os-release"));
    std::string line;
    while (std::getline(release, line)) {
        if (line.rfind("PRETTY_NAME=", 0) == 0) {
            std::string name = line.substr(12);
            if (name.size() >= 2 && name.front() == '"' && name.back() == '"') {
                name = name.substr(1, name.size() - 2);
            }
            return name;
        }
    }
    return "unknown";
}

std::string Summary(const DiagnosticFacts& facts) {
    utsname u{};
    ::uname(&u);
    std::string s;
    s += "program: Talvero " + ProgramVersion() + "\n";
    s += "toolkit: " + (facts.toolkit.empty() ? std::string("none") : facts.toolkit) + "\n";
    s += "system: " + OsName() + "\n";
    s += std::string("kernel: ") + u.sysname + " " + u.release + " " + u.version + " " + u.machine + "\n";
    s += "written: " + TraceTimestamp() + "\n";
    s += "last error: " + (facts.lastError.empty() ? std::string("none") : facts.lastError) + "\n";
    s += std::string("configuration included: ") + (facts.configuration ? "yes (secrets masked)" : "no") +
         "\n";
    return s;
}

std::string Ports() {
    std::vector<ComInfo> ports;
    EnumComPorts(ports);
    std::string s;
    for (const auto& p : ports) {
        s += p.port + "\t" + Utf16ToUtf8(p.name) + (p.usb ? "\tUSB" : "") + "\n";
    }
    return s.empty() ? "no serial ports found\n" : s;
}

std::string MaskedConfiguration(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    std::string s;
    for (const auto& line : lines) {
        const size_t eq = line.find(u'=');
        const std::u16string key = line.substr(0, eq);
        if (eq != std::u16string::npos && IsSecretKey(key)) {
            s += Utf16ToUtf8(key + u"=" + MaskedSecret(line.substr(eq + 1)));
        } else {
            s += Utf16ToUtf8(line);
        }
        s += "\n";
    }
    return s;
}

}  // namespace

std::vector<ArchiveEntry> DiagnosticReportEntries(const DiagnosticFacts& facts) {
    std::vector<ArchiveEntry> entries;
    entries.push_back({std::string(kFolder) + "summary.txt", Summary(facts)});
    entries.push_back({std::string(kFolder) + "ports.txt", Ports()});
    if (!facts.traceFolder.empty()) {
        const std::vector<std::string> traces = ListTraces(facts.traceFolder);
        for (size_t i = 0; i < traces.size() && i < kKeptTraces; ++i) {
            const std::string name = traces[i].substr(traces[i].rfind('/') + 1);
            entries.push_back({std::string(kFolder) + "traces/" + name, ReadSmallFile(traces[i])});
        }
    }
    if (facts.configuration) {
        // The radio form: what the radio would hold, readable, each secret masked.
        entries.push_back(
            {std::string(kFolder) + "configuration.txt", MaskedConfiguration(*facts.configuration)});
    }
    return entries;
}

ErrorInfo SaveDiagnosticReport(const std::string& path, const DiagnosticFacts& facts) {
    return WriteTarGz(path, DiagnosticReportEntries(facts));
}
