#pragma once
// Import of the ID list from CSV. The file replaces the whole list: entries it does not mention end
// up cleared, rows that break the row rules are skipped, entries with a refused value are cleared,
// and names shortened to the display width are reported. A file from which no entry can be taken
// is refused with its reason and leaves the list as it was.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "idlist/csv_reader.h"
#include "platform/error_codes.h"

class CTalveroDoc;

struct IdListImportResult {
    // 0, or the code of the failure to read the file (text ID 2111 for the user); the ID list is
    // then unchanged.
    uint32_t code = kErrSuccess;
    // Not empty when the file yielded no entry or was refused whole: why, for the user (text ID
    // 2113 or 2115; 2116 to 2118 for a NUL character, a file over 100 MB, bytes that are no text,
    // each with its line); the ID list is then unchanged.
    std::u16string refusal;
    // Entries stored; Summary() says it to the user (text ID 2114).
    unsigned taken = 0;
    // One line (text ID 2155) per entry stored with a shortened name.
    std::vector<std::u16string> warnings;
    bool ok() const { return code == kErrSuccess && refusal.empty(); }
    std::u16string Summary() const;
};

// Reads the file and applies it (ApplyIdListCsv). Whatever happened, ends by having the document
// update its views with kHintLoaded and the warning lines, so the pages refresh and the frame shows
// the warnings. A caller whose file dialog was cancelled sends that same update with no lines.
IdListImportResult ImportIdList(CTalveroDoc& doc, const std::string& path);

// The user's message for a file refused by the CSV reader (text IDs 2116 to 2118).
std::u16string DescribeCsvTextFault(const CsvTextFault& fault);

// Clears the list and applies every row of the decoded file text that passes the row rules, in
// file order (a later row for the same entry goes over the earlier one). Type display texts are
// those of the language table now. When no entry is taken the list is left untouched and the
// result says why. The document is marked modified when the list changed, also when the change
// only removed entries. Does not notify the views; `code` is always 0.
IdListImportResult ApplyIdListCsv(CTalveroDoc& doc, std::u16string_view text);
