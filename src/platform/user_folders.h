#pragma once
// The program's folders in the user's home, as the XDG base directory rules place them: an
// absolute $XDG_DATA_HOME or $XDG_STATE_HOME, else ~/.local/share or ~/.local/state (/tmp without a
// home), each with "Talvero" below it.
#include <string>

// Kept files (read backups).
std::string UserDataFolder();
// State worth keeping across runs but not precious (recovery copies, serial traces).
std::string UserStateFolder();
