// The serial port on real pseudo-terminals: exclusive use, bit rates, absent and refused devices;
// and the enumeration of a machine's ports.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "link_fixture.h"
#include "platform/posix/port_enum.h"
#include "platform/posix/serial_port.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

struct FastPort : ESerialPort {
    FastPort() {
        m_busyRetries = 3;
        m_busyRetryMs = 5;
        m_settleMs = 0;
        m_closeMs = 0;
    }
};

TEST(SerialPort, EveryOfferedBitRate) {
    auto sim = StartRadio(FastRadio());
    for (uint32_t rate : {9600u, 38400u, 57600u, 115200u, 230400u, 460800u, 921600u, 1152000u, 250000u}) {
        FastPort port;
        ASSERT_EQ(port.Configure(sim->Path(), rate), kErrSuccess) << rate << ": " << port.LastError().detail;
        EXPECT_TRUE(port.IsOpen());
        EXPECT_EQ(port.Close(), kErrSuccess);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(port.Close(), kErrSuccess);  // harmless when closed
    }
}

TEST(SerialPort, HeldPortIsBusy) {
    auto sim = StartRadio(FastRadio());
    FastPort holder, second;
    ASSERT_EQ(holder.Open(sim->Path()), kErrSuccess);
    EXPECT_EQ(second.Open(sim->Path()), kErrAccessDenied);
    EXPECT_EQ(second.LastError().sysErrno, EBUSY);
    EXPECT_NE(second.LastError().detail.find(sim->Path()), std::string::npos);
    holder.Close();
    EXPECT_EQ(second.Open(sim->Path()), kErrSuccess);  // free again once the holder let go
}

TEST(SerialPort, RefusedDevices) {
    char tmpl[] = "/tmp/talvero-port-XXXXXX";
    const std::string dir = ::mkdtemp(tmpl);
    const std::string plain = dir + "/plain";
    std::ofstream(plain) << "x";
    const struct {
        std::string path;
        uint32_t code;
        int err;
    } cases[] = {
        {dir + "/ttyUSB99", kErrFileNotFound, ENOENT},
        {plain, kErrInvalidData, ENOTTY},  // a file is not a serial line
    };
    for (const auto& c : cases) {
        FastPort port;
        EXPECT_EQ(port.Configure(c.path, 9600), c.code) << c.path;
        EXPECT_EQ(port.LastError().sysErrno, c.err) << c.path;
        EXPECT_FALSE(port.IsOpen());
    }
    if (::geteuid() != 0) {
        // Root opens anything; only others can see the group hint's case.
        ::chmod(plain.c_str(), 0);
        FastPort port;
        EXPECT_EQ(port.Configure(plain, 9600), kErrAccessDenied);
        EXPECT_EQ(port.LastError().sysErrno, EACCES);
    }
    fs::remove_all(dir);
}

TEST(PortEnumeration, NaturalOrder) {
    const struct {
        const char* a;
        const char* b;
        bool less;
    } cases[] = {
        {"/dev/ttyUSB9", "/dev/ttyUSB10", true},
        {"/dev/ttyUSB10", "/dev/ttyUSB9", false},
        {"/dev/ttyACM0", "/dev/ttyUSB0", true},
        {"/dev/ttyS2", "/dev/ttyS02", false},
        {"/dev/ttyS02", "/dev/ttyS2", false},
        {"COM3", "COM3", false},
        {"a", "a1", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NaturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
    }
}

// A small copy of the kernel's tty class: USB adapters with and without names, an empty legacy
// UART slot, a virtual terminal, and a device whose node is missing.
TEST(PortEnumeration, FriendlyNamesAndOrder) {
    char tmpl[] = "/tmp/talvero-sys-XXXXXX";
    const fs::path root = ::mkdtemp(tmpl);
    const fs::path tty = root / "class/tty", dev = root / "dev", devices = root / "devices";
    fs::create_directories(tty);
    fs::create_directories(dev);
    auto usb = [&](const std::string& name, const std::string& maker, const std::string& product) {
        const fs::path usbDevice = devices / ("usb-" + name);
        const fs::path iface = usbDevice / "1-1:1.0" / name;
        fs::create_directories(iface);
        if (!product.empty()) {
            std::ofstream(usbDevice / "manufacturer") << maker << "\n";
            std::ofstream(usbDevice / "product") << product << "\n";
        }
        fs::create_directories(tty / name);
        fs::create_directory_symlink(iface, tty / name / "device");
        std::ofstream(dev / name);
    };
    usb("ttyUSB10", "Norvane", "Clone Cable");
    usb("ttyUSB9", "Norvane", "Clone Cable");
    usb("ttyACM0", "", "");
    usb("ttyUSB3", "Maker", "Gone");
    fs::remove(dev / "ttyUSB3");
    fs::create_directories(devices / "uart" / "ttyS0");
    fs::create_directories(tty / "ttyS0");
    fs::create_directory_symlink(devices / "uart" / "ttyS0", tty / "ttyS0" / "device");
    std::ofstream(tty / "ttyS0" / "type") << "0\n";
    std::ofstream(dev / "ttyS0");
    fs::create_directories(tty / "tty1");
    std::ofstream(dev / "tty1");

    ::unsetenv("TALVERO_EXTRA_PORTS");
    std::vector<ComInfo> ports;
    EnumComPorts(ports, tty.string(), dev.string());
    std::vector<std::string> seen;
    for (const auto& p : ports) {
        seen.push_back(p.port + " = " + Utf16ToUtf8(p.name));
    }
    const std::string d = dev.string();
    EXPECT_EQ(seen, (std::vector<std::string>{
                        d + "/ttyACM0 = " + d + "/ttyACM0",
                        d + "/ttyUSB9 = Norvane Clone Cable (" + d + "/ttyUSB9)",
                        d + "/ttyUSB10 = Norvane Clone Cable (" + d + "/ttyUSB10)",
                    }));

    // Simulated radios join the list through the environment; paths that do not exist do not.
    auto sim = StartRadio(FastRadio());
    ::setenv("TALVERO_EXTRA_PORTS", (sim->Path() + ":/dev/talvero-none").c_str(), 1);
    ports.clear();
    EnumComPorts(ports, tty.string(), dev.string());
    ::unsetenv("TALVERO_EXTRA_PORTS");
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports.front().port, sim->Path());  // sorted in by its path (/dev/pts/N)
    fs::remove_all(root);
}

}  // namespace
