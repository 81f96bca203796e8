#include "platform/posix/port_enum.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAttribute(const fs::path& file) {
    std::ifstream in(file);
    std::string value;
    std::getline(in, value);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r' || value.back() == ' ')) {
        value.pop_back();
    }
    return value;
}

// The USB device above an interface holds the maker's and the product's names.
std::string UsbFriendlyName(const fs::path& device) {
    std::error_code ec;
    fs::path dir = fs::canonical(device, ec);
    if (ec) {
        return {};
    }
    for (int depth = 0; depth < 6 && dir.has_relative_path(); ++depth, dir = dir.parent_path()) {
        if (fs::exists(dir / "product", ec)) {
            std::string maker = ReadAttribute(dir / "manufacturer");
            std::string product = ReadAttribute(dir / "product");
            return maker.empty() ? product : product.empty() ? maker : maker + " " + product;
        }
    }
    return {};
}

// Legacy UART slots exist whether or not hardware sits behind them; an unknown port type means
// nothing is there.
bool IsEmptyUartSlot(const fs::path& entry) {
    std::error_code ec;
    if (!fs::exists(entry / "type", ec)) {
        return false;
    }
    return ReadAttribute(entry / "type") == "0";
}

}  // namespace

bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie]))) {
                ++ie;
            }
            while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je]))) {
                ++je;
            }
            // Compare digit runs as numbers: skip leading zeros, then the longer run is larger.
            size_t is = i, js = j;
            while (is + 1 < ie && a[is] == '0') {
                ++is;
            }
            while (js + 1 < je && b[js] == '0') {
                ++js;
            }
            if (ie - is != je - js) {
                return ie - is < je - js;
            }
            const int c = a.compare(is, ie - is, b, js, je - js);
            if (c != 0) {
                return c < 0;
            }
            i = ie;
            j = je;
            continue;
        }
        if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        }
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

void EnumComPorts(std::vector<ComInfo>& ports, const std::string& sysClassTty, const std::string& devRoot) {
    std::vector<ComInfo> found;
    std::error_code ec;
    for (fs::directory_iterator it(sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        std::error_code e2;
        // Virtual terminals and pseudo-terminals have no device behind them.
        if (!fs::exists(entry / "device", e2) || IsEmptyUartSlot(entry)) {
            continue;
        }
        const std::string path = (fs::path(devRoot) / entry.filename()).string();
        if (!fs::exists(path, e2)) {
            continue;
        }
        const std::string friendly = UsbFriendlyName(entry / "device");
        found.push_back(
            {path, Utf8ToUtf16(friendly.empty() ? path : friendly + " (" + path + ")"), !friendly.empty()});
    }
    if (const char* extra = std::getenv("TALVERO_EXTRA_PORTS")) {
        std::stringstream list(extra);
        std::string path;
        while (std::getline(list, path, ':')) {
            std::error_code e2;
            if (!path.empty() && fs::exists(path, e2)) {
                found.push_back({path, Utf8ToUtf16(path)});
            }
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const ComInfo& a, const ComInfo& b) { return NaturalLess(a.port, b.port); });
    ports.insert(ports.end(), found.begin(), found.end());
}

std::vector<std::string> EnumComPortPaths() {
    std::vector<ComInfo> ports;
    EnumComPorts(ports);
    std::vector<std::string> paths;
    for (const auto& p : ports) {
        paths.push_back(p.port);
    }
    return paths;
}

PortWatcher::PortWatcher(std::vector<ComInfo> initial) : m_known(std::move(initial)) {}

PortChanges PortWatcher::Update(std::vector<ComInfo> now) {
    const auto holds = [](const std::vector<ComInfo>& list, const std::string& port) {
        return std::any_of(list.begin(), list.end(), [&](const ComInfo& c) { return c.port == port; });
    };
    PortChanges changes;
    for (const ComInfo& c : now) {
        if (!holds(m_known, c.port)) {
            changes.added.push_back(c);
        }
    }
    for (const ComInfo& c : m_known) {
        if (!holds(now, c.port)) {
            changes.removed.push_back(c.port);
        }
    }
    m_known = std::move(now);
    return changes;
}
