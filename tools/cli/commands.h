#pragma once
// talvero-cli: each command is a function over its arguments (without the command name) that
// returns the process exit code. Commands print their own --help.
#include <cstdint>
#include <string>
#include <vector>

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
int Fail(const std::string& message, int code = 2);  // one line on stderr, returns code
// Loads the program's language files that lie beside this tool (talvero.LANG.lang), so that
// warnings and type names read as in the program. Missing files leave "ID_<n>" texts.
void LoadLanguageTexts();
// Loads the English texts alone (for labels that must read the same everywhere); once.
void LoadEnglishTexts();
inline constexpr uint16_t kEnglishLanguageId = 0x0409;
