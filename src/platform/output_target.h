#pragma once
// Checks made before a command writes a file, and the lock that keeps two updates of one file
// apart.
//
// Saves replace their target by renaming a new file over it. Onto a device node or a FIFO that
// would put a regular file in place of the node (as root: in place of /dev/full), so such a
// target is refused, never written. Whether two paths name one file is asked of the file system
// (device and inode), never of the spelling: "same.ini", "./same.ini" and a link to it are one.
#include <functional>
#include <string>
#include <vector>

#include "platform/error_codes.h"

// Success for a path that does not exist yet or is a regular file (also through a symbolic link);
// kErrAccessDenied with "PATH: not a regular file (a FIFO)" and the like otherwise.
ErrorInfo CheckOutputTarget(const std::string& path);

// True when both paths name one existing file, or when neither exists and both name the same place
// once made absolute and normalised (so that a file one of them is about to create is the other).
bool SameFile(const std::string& a, const std::string& b);

// An advisory lock (flock) held for a read-modify-write of one file: while one process holds it,
// another that asks for it waits. A save renames a new file over the old one, so a lock taken on
// the old file would no longer guard the path: taking the lock therefore checks afterwards that
// the path still names the locked file, and locks again when it no longer does.
class FileUpdateLock {
  public:
    FileUpdateLock() = default;
    ~FileUpdateLock();
    FileUpdateLock(const FileUpdateLock&) = delete;
    FileUpdateLock& operator=(const FileUpdateLock&) = delete;

    // Takes the lock on `path`, waiting while another process holds it; `onWait` is called once,
    // before the first wait. A path that does not exist, or is not a regular file, is not locked
    // (nothing to update; its open reports why) and counts as success. An error for a file that
    // cannot be opened or locked.
    ErrorInfo Lock(const std::string& path, const std::function<void()>& onWait = {});
    void Unlock();
    bool Locked() const { return m_fd >= 0; }

  private:
    int m_fd = -1;
};
