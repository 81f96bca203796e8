#pragma once
// The serial ports of this machine. A port is named by its device path; the friendly name is
// what the user recognises (the USB adapter's maker and product), or the path when there is none.
#include <string>
#include <vector>

struct ComInfo {
    std::string port;     // device path, e.g. /dev/ttyUSB0
    std::u16string name;  // friendly name, or the path
    bool usb = false;     // a USB adapter: the likeliest radio cable
};

// Appends every present serial port found under `sysClassTty` (devices in `devRoot`), then every
// existing path named in $TALVERO_EXTRA_PORTS (colon-separated: radio simulators and other
// pseudo-terminals), in natural order of their paths (ttyUSB9 before ttyUSB10).
void EnumComPorts(std::vector<ComInfo>& ports, const std::string& sysClassTty = "/sys/class/tty",
                  const std::string& devRoot = "/dev");

// Just the paths, in the same order.
std::vector<std::string> EnumComPortPaths();

// Orders names with their digit runs compared as numbers.
bool NaturalLess(const std::string& a, const std::string& b);

// What changed between two looks at the port list.
struct PortChanges {
    std::vector<ComInfo> added;
    std::vector<std::string> removed;
};

// Follows the port list over time, for finding the port a cable brings when it is plugged in.
// A port that goes away and comes back counts as added again.
class PortWatcher {
  public:
    explicit PortWatcher(std::vector<ComInfo> initial);
    // Compares `now` with the previous look and remembers it.
    PortChanges Update(std::vector<ComInfo> now);

  private:
    std::vector<ComInfo> m_known;
};
