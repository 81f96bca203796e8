#pragma once
// One line naming an ID list entry, as the pages that pick an entry list it.
#include <QString>

class CTalveroDoc;

// Entry n is 1 to 500; 0 is "no entry". Out-of-range numbers read as an empty entry.
QString EntryDescription(const CTalveroDoc& doc, unsigned n);
