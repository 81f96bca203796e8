#pragma once
// Reading the CSV files of the ID list exchange: UTF-16LE after FF FE; UTF-8 after EF BB BF or when
// the bytes are valid UTF-8 holding non-ASCII characters; otherwise 8-bit text in the ANSI code
// page. CR LF, LF and CR end lines; ";" comment lines; fields split by SplitCsvLine.
//
// The ID list CSV is a data file, read back by this program and by others: its cells are kept
// exactly as the list holds them (no leading apostrophe before "=" or "@"). Nothing of a file is
// dropped without a word: a NUL character before the end, a file past the size limit, and bytes
// that are text in no encoding above refuse the file, naming the line.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using CsvRow = std::vector<std::u16string>;

// A larger file is refused (no ID list comes near 100 MB).
inline constexpr uint64_t kCsvMaxBytes = 0x6400000;

// Why the bytes of a file were not taken as text.
struct CsvTextFault {
    enum class Kind {
        None,
        Nul,       // a NUL character with more text after it (NULs that only pad the end are dropped)
        TooLarge,  // more than kCsvMaxBytes
        NotText,   // not valid UTF-8 after its mark, or bytes the ANSI code page has no character for
    };
    Kind kind = Kind::None;
    unsigned line = 0;  // 1-based line of the fault (0 for TooLarge)
    bool ok() const { return kind == Kind::None; }
};

// Splits one line (without its line end) into fields and returns their number, never 0: an empty
// line gives one empty field. Blanks around each field are trimmed before it is read; unquoted
// fields end at the next comma and are trimmed; a quoted field ends at a quote not followed by
// another one ("" stands for one quote), and whatever follows it up to the next comma is dropped.
// Quoted fields are trimmed only when `trimQuoted` is true.
size_t SplitCsvLine(std::u16string_view line, CsvRow& fields, bool trimQuoted);

// Reads the file and decodes it. Returns 0, the open or read failure's system error code, or 13
// for a file that changed while it was read or whose bytes are refused (then `fault`, where given,
// says why and where, and the text is empty).
uint32_t ReadCsvText(const std::string& path, std::u16string& text, CsvTextFault* fault = nullptr);

// Decodes file bytes as ReadCsvText does; the empty text, and `fault` set, when they are refused.
std::u16string DecodeCsvBytes(std::string_view bytes, CsvTextFault* fault = nullptr);

// Calls `row` for every line of `text` that is not a comment, in file order. A last line without
// a line end is a line too.
void ForEachCsvRow(std::u16string_view text, const std::function<void(const CsvRow&)>& row);

// ReadCsvText, then every row into `rows`. Returns 0 or the failure's code (rows stay empty).
uint32_t ReadCsvFile(const std::string& path, std::vector<CsvRow>& rows);
