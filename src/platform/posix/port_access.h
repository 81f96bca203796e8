#pragma once
// Advice for a serial port the user may not open. Joining the group that owns the device helps
// only when that group may read and write it and is not root's own group; otherwise (mode 0600,
// owned by root) only an administrator can give access, by changing the device's permissions
// with a udev rule.
#include <string>

// The group whose members may read and write the device at `path`, or empty when no group
// grants that (or the path cannot be examined).
std::string GroupGrantingAccess(const std::string& path);
