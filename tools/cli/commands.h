#pragma once
// talvero-cli: each command is a function over its arguments (without the command name) that
// returns the process exit code. Commands print their own --help.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error_codes.h"
#include "platform/output_target.h"

class CTalveroDoc;

struct CliCommand {
    const char* name;
    const char* summary;
    int (*run)(const std::vector<std::string>& args);
};

// Commands on configuration files (new, show, check, set, idlist ...).
std::vector<CliCommand> DocumentCommands();
// Commands that talk to a radio (ports, search, info, read, write, init, firmware).
std::vector<CliCommand> RadioCommands();
// ID list CSV export and import ("idlist export", "idlist import").
std::vector<CliCommand> IdListCommands();
// "diff": two configuration files, or a file and a radio, setting by setting.
CliCommand DiffCommand();
// Client certificate slots ("cert import", "cert delete", "cert list").
std::vector<CliCommand> CertCommands();

// Fleet provisioning ("fleet check", "fleet run").
CliCommand FleetCommand();

// Shared helpers.
bool WantsHelp(const std::vector<std::string>& args);
// One line on stderr, returns code. Control characters in the message (a path, a value from a
// file or a radio) are printed escaped.
int Fail(const std::string& message, int code = 2);
// A line of outside text (a file's or a radio's) as it is printed: control characters escaped,
// and cut after 1024 characters.
std::string ShownLine(std::u16string_view line);
void PrintShownLine(FILE* out, std::u16string_view line);
// Refuses a target that is not a regular file (a device, FIFO, socket or folder): a save would put
// a regular file in its place. False with the message printed and `status` set to `code`.
// Saves the configuration file and warns on stderr when it holds secrets that other users may
// read (an existing file keeps its mode).
ErrorInfo SaveAndWarn(CTalveroDoc& doc, const std::string& path);
bool CheckOutputFile(const std::string& command, const std::string& path, int code, int& status);
// Takes the update lock of a file changed in place (read, changed, saved back). Another process
// holding it is waited for, and the user is told so (text ID 10800): its change is short and
// meant to be kept, so the second one applies after it instead of failing or overwriting it.
// False with the message printed and `status` set to `code` when the file cannot be locked.
bool LockForUpdate(FileUpdateLock& lock, const std::string& command, const std::string& path, int code,
                   int& status);
// Loads the program's language files that lie beside this tool (talvero.LANG.lang), so that
// warnings and type names read as in the program. Missing files leave "ID_<n>" texts.
void LoadLanguageTexts();
// Loads the English texts alone (for labels that must read the same everywhere); once.
void LoadEnglishTexts();
inline constexpr uint16_t kEnglishLanguageId = 0x0409;
