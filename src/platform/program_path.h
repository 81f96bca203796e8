#pragma once
// Where the program file lies. The language files, the help file and the version block's module
// path are all derived from it, so tests can point the whole program at the build's bin folder.
// An installed program keeps its data files in the share folder of its installation instead
// (<prefix>/share/talvero beside <prefix>/bin): LocateDataFile looks there when the file is not
// beside the program, so a build tree and an installed copy both work.
#include <cstdint>
#include <string>

// The full path of the running program (/proc/self/exe), unless SetProgramFilePath chose another.
std::string ProgramFilePath();
void SetProgramFilePath(const std::string& path);

// "<program path>.<language as 4 lower-case hex digits>.lang": the program path keeps its
// extension, so app.exe gives app.exe.0409.lang and talvero gives talvero.0409.lang.
std::string LanguageFilePath(const std::string& programPath, uint16_t languageId);

// The program path up to its last ".", then ".chm". Only a dot inside the file name counts: a dot
// in a folder name (~/.local/bin/talvero) must not cut the path.
std::string HelpFilePath(const std::string& programPath);

// The copy of a data file (language or help file) that the program uses, given the path the file
// has beside the program: that path when the file is there; else the file of the same name in the
// installed share folder, found relative to the program's folder (bin/../share/talvero), when it
// is there; else the path beside the program, so a missing file is reported under that name.
std::string LocateDataFile(const std::string& besideProgram);

// The installed share folder that belongs to a program in `programFolder`.
std::string InstalledDataFolder(const std::string& programFolder);
