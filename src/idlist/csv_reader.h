#pragma once
// Reading the CSV files of the ID list exchange: UTF-16LE after FF FE; UTF-8 after EF BB BF or when
// the bytes are valid UTF-8 holding non-ASCII characters; otherwise 8-bit text in the ANSI code
// page. CR LF, LF and CR end lines; ";" comment lines; fields split by SplitCsvLine.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

using CsvRow = std::vector<std::u16string>;

// More of a file is never read; the rest is ignored.
inline constexpr uint64_t kCsvMaxBytes = 0x6400000;

// Splits one line (without its line end) into fields and returns their number, never 0: an empty
// line gives one empty field. Blanks around each field are trimmed before it is read; unquoted
// fields end at the next comma and are trimmed; a quoted field ends at a quote not followed by
// another one ("" stands for one quote), and whatever follows it up to the next comma is dropped.
// Quoted fields are trimmed only when `trimQuoted` is true.
size_t SplitCsvLine(std::u16string_view line, CsvRow& fields, bool trimQuoted);

// Reads the file (at most kCsvMaxBytes of it) and decodes it to text that ends at its first NUL.
// Returns 0, the open or read failure's system error code, or 13 for a file that changed while
// it was read.
uint32_t ReadCsvText(const std::string& path, std::u16string& text);

// Decodes file bytes as ReadCsvText does.
std::u16string DecodeCsvBytes(std::string_view bytes);

// Calls `row` for every line of `text` that is not a comment, in file order. A last line without
// a line end is a line too.
void ForEachCsvRow(std::u16string_view text, const std::function<void(const CsvRow&)>& row);

// ReadCsvText, then every row into `rows`. Returns 0 or the failure's code (rows stay empty).
uint32_t ReadCsvFile(const std::string& path, std::vector<CsvRow>& rows);
