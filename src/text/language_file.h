#pragma once
// Language files: UTF-16LE with byte-order mark, one "ID<TAB>text" entry per LF-terminated line,
// ";" comments, five backslash escapes. They fill the language text table at start-up.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Shows the failure of one file to the user. The table may still be empty at that point, so the
// message is the system's description of the code, never a language text. The program passes a
// message box; the core itself knows no windows.
using LanguageFileReporter = std::function<void(uint32_t code, const std::string& path)>;

// Parses one file into g_languageTexts. Returns 0 or a system error code: 13 for a file that is
// too long (over 0xA00000 bytes), too short or without FF FE; the open failure's code otherwise.
// Every non-zero result has been reported through `report` (when given) before returning. A
// failed file leaves the table untouched.
uint32_t LoadLanguageFile(const std::string& path, const LanguageFileReporter& report);

// English is the base layer, the system language overrides it, and Japanese is the last resort
// when neither gave a table. No file at all is allowed: every text then shows as ID_<n>. Each file
// is taken from beside the program or, failing that, from the installed share folder
// (LocateDataFile). Returns the paths of the files loaded, in load order.
std::vector<std::string> SelectLanguageFiles(const std::string& programPath, uint16_t systemLanguageId,
                                             const LanguageFileReporter& report);

inline constexpr uint32_t kLanguageFileMaxBytes = 0xA00000;
