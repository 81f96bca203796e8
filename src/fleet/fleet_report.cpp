#include "fleet/fleet_report.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "idlist/csv_reader.h"
#include "platform/read_whole_file.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"

namespace {

constexpr char kHeader[] = "time,port,model,iccid,row,result,reason,seconds,backup\n";
constexpr uint64_t kMaxReportBytes = 256u << 20;

std::string Field(const std::string& raw) {
    const std::string text = SpreadsheetSafeCell(EscapeControls(raw));
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

ErrorInfo SystemError(const std::string& path) {
    const int e = errno;
    return ErrorInfo{ErrnoToCode(e), e, path + ": " + std::strerror(e)};
}

}  // namespace

std::string SpreadsheetSafeCell(std::string_view text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos) {
        return "'" + std::string(text);
    }
    return std::string(text);
}

std::string FleetReportCsv(const FleetReportLine& l) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", l.seconds);
    return Field(l.time) + "," + Field(l.port) + "," + Field(l.model) + "," + Field(l.iccid) + "," +
           (l.row ? std::to_string(l.row) : std::string()) + "," + Field(l.result) + "," + Field(l.reason) +
           "," + seconds + "," + Field(l.backup);
}

ErrorInfo FleetReport::Append(const FleetReportLine& line) {
    std::lock_guard<std::mutex> lock(m_lock);
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return SystemError(m_path);
    }
    struct stat st;
    std::string text;
    if (::fstat(fd, &st) == 0 && st.st_size == 0) {
        text = kHeader;
    }
    text += FleetReportCsv(line) + "\n";
    const ssize_t written = ::write(fd, text.data(), text.size());
    ErrorInfo result;
    if (written != static_cast<ssize_t>(text.size())) {
        result = written < 0 ? SystemError(m_path) : ErrorInfo{kErrHandleEof, 0, m_path + ": short write"};
    }
    if (::close(fd) != 0 && result.ok()) {
        result = SystemError(m_path);
    }
    return result;
}

ErrorInfo ReadFleetHistory(const std::string& path, FleetHistory& history) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 && errno == ENOENT) {
        return {};
    }
    const WholeFile file = ReadWholeFile(path, kMaxReportBytes);
    if (!file.ok()) {
        return file.error;
    }
    const std::u16string text = Utf8ToUtf16(file.bytes);
    size_t start = 0;
    bool header = true;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) {
            end = text.size();
        }
        std::u16string_view line = std::u16string_view(text).substr(start, end - start);
        start = end + 1;
        if (line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        if (header) {
            header = false;
            continue;
        }
        CsvRow fields;
        SplitCsvLine(line, fields, false);
        if (fields.size() < 6 || fields[5] != u"done") {
            continue;
        }
        if (!fields[3].empty()) {
            history.doneRadios.insert(Utf16ToUtf8(fields[3]));
        }
        const std::string row = Utf16ToUtf8(fields[4]);
        if (!row.empty() && row.find_first_not_of("0123456789") == std::string::npos && row.size() < 10) {
            history.doneRows.insert(static_cast<unsigned>(std::stoul(row)));
        }
    }
    return {};
}
