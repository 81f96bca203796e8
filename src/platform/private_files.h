#pragma once
// Folders and files that may hold a secret (read backups, radio texts, recovery copies, traces,
// diagnostic reports, simulator dumps). They are private from their first byte: folders 0700,
// files 0600, whatever the umask. Nothing is ever created or written through a symbolic link, and
// nothing is written into a folder another user could have prepared: a folder must belong to this
// user (a wider one of ours is narrowed to 0700), and every folder above it to this user or root,
// writable by no one else unless only owners may remove entries there (sticky, as /tmp is).
#include <string>

#include "platform/error_codes.h"

// Makes `folder` ready for private files, creating it and any missing folder above it (0700).
ErrorInfo MakePrivateFolder(const std::string& folder);

// Creates the new file `path` (0600) holding `bytes`. The name appears only once every byte is on
// disk; a name that is taken by anything, a symbolic link included, fails with EEXIST and changes
// nothing.
ErrorInfo CreatePrivateFile(const std::string& path, const std::string& bytes);

// Replaces `path` with `bytes` atomically as a 0600 file. A symbolic link at `path` is replaced
// itself, never followed; a failed write leaves the old file as it was and no temporary file.
ErrorInfo ReplacePrivateFile(const std::string& path, const std::string& bytes);

// Opens `path` to be written from its start, as a 0600 file: created when missing, emptied when it
// is a regular file of ours. A symbolic link, a file of another user or anything that is not a
// regular file is refused. Returns the descriptor, or -1 with `error` set.
int OpenPrivateFile(const std::string& path, ErrorInfo& error);

// Writes every byte of `bytes` to `fd`, going on after an interrupted write; 0 or the errno of the
// failure.
int WriteAllBytes(int fd, const std::string& bytes);
