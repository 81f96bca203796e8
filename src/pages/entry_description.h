#pragma once
// One line naming an ID list entry, as the pages that pick an entry list it.
#include <string>

class CTalveroDoc;

// Entry n is 1 to 500; 0 is "no entry". Out-of-range numbers read as an empty entry.
std::u16string EntryDescription(const CTalveroDoc& doc, unsigned n);
