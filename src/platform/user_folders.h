#pragma once
// The program's folders in the user's home, as the XDG base directory rules place them: an
// absolute $XDG_DATA_HOME or $XDG_STATE_HOME, else ~/.local/share or ~/.local/state, each with
// "Talvero" below it. Without $HOME the home is the account's own from the password database;
// never a shared folder such as /tmp, where another user could have made the folders first. With
// no home at all the result is empty, which every writer refuses (platform/private_files.h).
#include <string>

// Kept files (read backups).
std::string UserDataFolder();
// State worth keeping across runs but not precious (recovery copies, serial traces).
std::string UserStateFolder();
