#pragma once
// The program's version block: the same information a Windows version resource carries (a fixed
// record with the file version, the translations, and string tables per language and code page).
// It is generated at build time from the project version and the product strings, so the about
// box and the title page always agree with the build.
#include <cstdint>
#include <string>
#include <vector>

struct VersionStringTable {
    uint16_t language = 0;
    uint16_t codePage = 0;
    std::vector<std::pair<std::u16string, std::u16string>> values;  // name, value
};

struct VersionBlock {
    uint32_t fileVersionMS = 0;  // major << 16 | minor
    uint32_t fileVersionLS = 0;  // patch << 16 | build
    uint32_t productVersionMS = 0;
    uint32_t productVersionLS = 0;
    std::vector<std::pair<uint16_t, uint16_t>> translations;  // language, code page
    std::vector<VersionStringTable> stringTables;
};

// The block compiled into this program; null when the build carries none.
const VersionBlock* ProgramVersionBlock();

// Looks up "\StringFileInfo\<lang><cp>\<name>" in the block: the value, or false when the block
// has no such table or name.
bool QueryVersionBlockString(const VersionBlock& block, uint16_t language, uint16_t codePage,
                             std::u16string_view name, std::u16string& value);
