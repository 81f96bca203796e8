// Which group, if any, to suggest for a port the user may not open.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/posix/port_access.h"

TEST(PortAccess, SuggestsOnlyAGroupThatGrantsReadAndWrite) {
    const group* dialout = ::getgrnam("dialout");
    if (dialout == nullptr) {
        GTEST_SKIP() << "no dialout group on this machine";
    }
    const gid_t dialoutGid = dialout->gr_gid;
    char dir[] = "/tmp/talvero-port-access-XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    const std::string device = std::string(dir) + "/ttyUSB0";
    std::ofstream(device).put('\n');
    if (::chown(device.c_str(), static_cast<uid_t>(-1), dialoutGid) != 0) {
        ::unlink(device.c_str());
        ::rmdir(dir);
        GTEST_SKIP() << "cannot give the test device to the dialout group";
    }
    struct Case {
        gid_t gid;
        mode_t mode;
        bool suggested;
    } cases[] = {
        {dialoutGid, 0660, true},   // the usual serial device
        {dialoutGid, 0600, false},  // the group may not use it at all
        {dialoutGid, 0640, false},  // read-only for the group: joining would not let us write
        {0, 0660, false},           // root's group: never advise joining it
    };
    for (const Case& c : cases) {
        if (::chown(device.c_str(), static_cast<uid_t>(-1), c.gid) != 0) {
            continue;  // not allowed to give it to root's group without being root
        }
        ASSERT_EQ(::chmod(device.c_str(), c.mode), 0);
        EXPECT_EQ(GroupGrantingAccess(device), c.suggested ? std::string("dialout") : std::string())
            << "gid " << c.gid << " mode " << std::oct << c.mode;
    }
    EXPECT_EQ(GroupGrantingAccess(std::string(dir) + "/missing"), "");
    ::unlink(device.c_str());
    ::rmdir(dir);
}
