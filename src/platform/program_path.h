#pragma once
// Where the program file lies. The language files, the help file and the version block's module
// path are all derived from it, so tests can point the whole program at the build's bin folder.
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
