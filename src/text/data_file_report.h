#pragma once
// The lines a program prints for --version: its name and version, then the language files it
// loads and the help file it opens, each with the path it was found under (beside the program or
// in the installed share folder). Users and the package check see which copies are in use.
#include <cstdint>
#include <string>

// `programName` heads the version line ("talvero-cli 1.0.0"); `programPath` is the path the data
// file names derive from (the program file, or "<folder>/talvero" for a tool beside it). Loads
// the language files into the text table as start-up does.
std::string DataFileReport(const std::string& programName, const std::string& programPath,
                           uint16_t systemLanguageId);
