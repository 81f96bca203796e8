#pragma once
// A fault in the program's own data or code (a page naming a setting the catalogue lacks, a page
// that cannot be built): it is never the user's doing and never survives a test run, so it stops
// the program at once with the reason on stderr instead of leaving a page or a rule quietly out.
#include <cstdio>
#include <cstdlib>
#include <string_view>

[[noreturn]] inline void ProgrammingError(std::string_view what) {
    std::fprintf(stderr, "talvero: programming error: %.*s\n", static_cast<int>(what.size()), what.data());
    std::fflush(stderr);
    std::abort();
}
