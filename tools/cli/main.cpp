// talvero-cli: the configuration program's work from a shell, on the same core code.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "commands.h"
#include "platform/error_codes.h"
#include "platform/language_id.h"
#include "platform/program_path.h"
#include "platform/shown_text.h"
#include "radio_host.h"
#include "text/data_file_report.h"
#include "text/language_file.h"

bool WantsHelp(const std::vector<std::string>& args) {
    for (const auto& a : args) {
        if (a == "--help" || a == "-h") {
            return true;
        }
    }
    return false;
}

int Fail(const std::string& message, int code) {
    std::fprintf(stderr, "talvero-cli: %s\n", EscapeControls(message).c_str());
    return code;
}

namespace {

// The program's data files are named after the program, which lies beside this tool.
std::string ProgramBesideThisTool() {
    std::string dir = ProgramFilePath();
    const size_t slash = dir.find_last_of('/');
    dir = slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
    return dir + "/talvero";
}

}  // namespace

void LoadLanguageTexts() {
    SelectLanguageFiles(ProgramBesideThisTool(), SystemDefaultLanguageId(),
                        [](uint32_t code, const std::string& path) {
                            std::fprintf(stderr, "talvero-cli: language file %s: %s\n", path.c_str(),
                                         DescribeCode(code).c_str());
                        });
}

void LoadEnglishTexts() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    loaded = true;
    SelectLanguageFiles(ProgramBesideThisTool(), kEnglishLanguageId,
                        [](uint32_t code, const std::string& path) {
                            std::fprintf(stderr, "talvero-cli: language file %s: %s\n", path.c_str(),
                                         DescribeCode(code).c_str());
                        });
}

namespace {

std::vector<CliCommand> AllCommands() {
    std::vector<CliCommand> all = DocumentCommands();
    for (const auto& c : RadioCommands()) {
        all.push_back(c);
    }
    for (const auto& c : IdListCommands()) {
        all.push_back(c);
    }
    for (const auto& c : CertCommands()) {
        all.push_back(c);
    }
    all.push_back(DiffCommand());
    all.push_back(FleetCommand());
    return all;
}

void PrintUsage(FILE* out) {
    std::fprintf(out, "usage: talvero-cli COMMAND [ARGS...]\n\ncommands:\n");
    for (const auto& c : AllCommands()) {
        std::fprintf(out, "  %-10s %s\n", c.name, c.summary);
    }
    std::fprintf(out,
                 "\n'talvero-cli COMMAND --help' describes a command; 'talvero-cli --version' prints the\n"
                 "version and the language and help files in use.\n\n%s  70  internal error\n",
                 kRadioExitHelp);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(stderr);
        return 2;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(stdout);
        return 0;
    }
    if (name == "--version") {
        std::fputs(DataFileReport("talvero-cli", ProgramBesideThisTool(), SystemDefaultLanguageId()).c_str(),
                   stdout);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& c : AllCommands()) {
        if (name == c.name) {
            try {
                return c.run(args);
            } catch (const std::exception& e) {
                return Fail(std::string("internal error: ") + e.what(), 70);
            }
        }
    }
    PrintUsage(stderr);
    return Fail("unknown command '" + name + "'");
}
