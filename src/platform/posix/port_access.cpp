#include "platform/posix/port_access.h"

#include <grp.h>
#include <sys/stat.h>

std::string GroupGrantingAccess(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || info.st_gid == 0) {
        return {};
    }
    constexpr mode_t kReadWrite = S_IRGRP | S_IWGRP;
    if ((info.st_mode & kReadWrite) != kReadWrite) {
        return {};
    }
    const group* owner = ::getgrgid(info.st_gid);
    return owner && owner->gr_name ? std::string(owner->gr_name) : std::to_string(info.st_gid);
}
