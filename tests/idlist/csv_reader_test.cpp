// Reading ID list CSV files: the line splitter, line ends and comments, the two encodings, and the
// file layer's limits and failures.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "idlist/csv_reader.h"
#include "platform/code_page.h"
#include "platform/error_codes.h"
#include "platform/unicode.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::string Show(std::u16string_view s) {
    return Utf16ToUtf8(std::u16string(s));
}

std::string Utf16Bytes(std::u16string_view text, bool mark = true) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

std::vector<CsvRow> Rows(std::u16string_view text) {
    std::vector<CsvRow> rows;
    ForEachCsvRow(text, [&](const CsvRow& r) { rows.push_back(r); });
    return rows;
}

TEST(SplitCsvLine, FollowsTheQuotingAndTrimmingRules) {
    struct Case {
        std::u16string line;
        CsvRow fields;
    };
    const Case cases[] = {
        {u"12,\"Individual\",\"5\",\"Alice\"", {u"12", u"Individual", u"5", u"Alice"}},
        {u"\"He said \"\"hi\"\"\"", {u"He said \"hi\""}},
        {u"  a b ,\tc\t", {u"a b", u"c"}},    // unquoted: trimmed
        {u"\"  x  \", y", {u"  x  ", u"y"}},  // quoted: blanks kept
        {u"  \"q\" , r", {u"q", u"r"}},       // blanks before the quote are dropped
        {u"", {u""}},                         // an empty line is one empty field
        {u"   ", {u""}},
        {u"a,", {u"a", u""}},
        {u",,", {u"", u"", u""}},
        {u"\"\"", {u""}},
        {u"\"abc\"junk,d", {u"abc", u"d"}},  // after the closing quote: dropped
        {u"\"abc\"junk", {u"abc"}},
        {u"\"open, never closed", {u"open, never closed"}},  // runs to the end of the line
        {u"\"abc\"\"", {u"abc\""}},                          // a doubled quote at the very end
        {u"\"a,b\",\"c\"\"d\",e", {u"a,b", u"c\"d", u"e"}},
        {u"1,\"名前\",\"ﾖﾐ\"", {u"1", u"名前", u"ﾖﾐ"}},
    };
    for (const auto& c : cases) {
        CsvRow fields{u"left over"};
        EXPECT_EQ(SplitCsvLine(c.line, fields, false), c.fields.size()) << Show(c.line);
        EXPECT_EQ(fields, c.fields) << Show(c.line);
    }
    CsvRow fields;
    EXPECT_EQ(SplitCsvLine(u"\"  x  \", \"\ty \"", fields, true), 2u);
    EXPECT_EQ(fields, (CsvRow{u"x", u"y"}));
}

TEST(ForEachCsvRow, EndsLinesAtCrLfLfOrCrAndSkipsComments) {
    struct Case {
        const char* what;
        std::u16string text;
        std::vector<CsvRow> rows;
    };
    const Case cases[] = {
        {"two lines", u"1,a\r\n2,b\r\n", {{u"1", u"a"}, {u"2", u"b"}}},
        {"last line without a line end", u"1,a\r\n2,b", {{u"1", u"a"}, {u"2", u"b"}}},
        {"LF only", u"1,a\n2,b\n", {{u"1", u"a"}, {u"2", u"b"}}},
        {"lone CR", u"1,a\r2,b\r\n", {{u"1", u"a"}, {u"2", u"b"}}},
        {"LF CR is two line ends", u"1,a\n\r2,b", {{u"1", u"a"}, {u""}, {u"2", u"b"}}},
        {"comments", u";1,a\r\n2,b\r\n ;3,c\r\n", {{u"2", u"b"}, {u";3", u"c"}}},
        {"empty line is a row", u"\r\n", {{u""}}},
        {"nothing", u"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Rows(c.text), c.rows) << c.what;
    }
}

TEST(DecodeCsvBytes, ReadsUtf16AfterItsMarkUtf8WhenValidAndTheCodePageOtherwise) {
    using K = CsvTextFault::Kind;
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string text;  // when taken
        K fault = K::None;
        unsigned line = 0;
    };
    const Case cases[] = {
        {"UTF-16LE", Utf16Bytes(u"1,ア\r\n"), u"1,ア\r\n"},
        {"CP932", std::string("1,\x83\x41\r\n"), u"1,ア\r\n"},
        {"odd last byte pairs with zero", Utf16Bytes(u"a\r") + "\n", u"a\r\n"},
        // A spreadsheet's export: UTF-8, with or without its mark.
        {"UTF-8 with its mark",
         std::string("\xEF\xBB\xBF"
                     "1,M\xC3\xBCller\n"),
         u"1,Müller\n"},
        {"UTF-8 without a mark", std::string("1,M\xC3\xBCller,\xE3\x82\xA2\xF0\x9F\x98\x80\n"),
         u"1,Müller,ア\U0001F600\n"},
        {"the UTF-8 mark on ASCII",
         std::string("\xEF\xBB\xBF"
                     "1,a"),
         u"1,a"},
        // Not valid UTF-8: the code page, as long as it has a character for every byte.
        {"CP932 kana pair", std::string("\x83\x41\x83\x43"), u"アイ"},
        {"invalid UTF-8 that is code page text", std::string("Al\xC3ice"), u"Al\xFF83ice"},
        {"a question mark of the file's own", std::string("1,a?\n\x83\x41"), u"1,a?\nア"},
        // Cells that a spreadsheet would run stay exact: the list is data.
        {"formulas stay as they are", std::string("1,\"=cmd|' /C calc'!A0\",@SUM(A1)\n"),
         u"1,\"=cmd|' /C calc'!A0\",@SUM(A1)\n"},
        // NULs that only pad the end lose nothing.
        {"NULs padding UTF-16", Utf16Bytes(std::u16string(u"a\r\n") + u'\0' + u'\0'), u"a\r\n"},
        {"NULs padding 8-bit", std::string("a\r\n\0\0", 5), u"a\r\n"},
        // Everything else that would lose or change text refuses the file, with its line.
        {"NUL inside UTF-16", Utf16Bytes(std::u16string(u"a\r\nb") + u'\0' + u"c\r\n"), u"", K::Nul, 2},
        {"NUL inside 8-bit", std::string("a\r\n\r\nb\0c\r\n", 10), u"", K::Nul, 3},
        {"NUL inside UTF-8", std::string("\xC3\xBC\0\xC3\xBC", 5), u"", K::Nul, 1},
        {"CR alone ends a line too", std::string("a\rb\rc\0d", 7), u"", K::Nul, 3},
        {"UTF-8 mark, then a broken sequence",
         std::string("\xEF\xBB\xBF"
                     "1,ok\r\n2,Al\xE3\x81ice\r\n"),
         u"", K::NotText, 2},
        {"a byte the code page has no character for", std::string("1,Bob\n2,Al\xFFice\n"), u"", K::NotText,
         2},
        {"the UTF-16 mark alone is 8-bit text, and no text of the code page", std::string("\xFF\xFE"), u"",
         K::NotText, 1},
        {"a lead byte without its trail", std::string("1,a\n\n2,b\x83"), u"", K::NotText, 3},
    };
    for (const auto& c : cases) {
        CsvTextFault fault{K::Nul, 99};
        EXPECT_EQ(DecodeCsvBytes(c.bytes, &fault), c.text) << c.what;
        EXPECT_EQ(fault.kind, c.fault) << c.what;
        EXPECT_EQ(fault.line, c.line) << c.what;
    }
}

class CsvFile : public TempDirTest {};

TEST_F(CsvFile, ReadsRowsAndReportsOpenFailures) {
    std::vector<CsvRow> rows{{u"stale"}};
    EXPECT_EQ(ReadCsvFile(Write("a.csv", Utf16Bytes(u"1,\"x\"\r\n;c\r\n")), rows), kErrSuccess);
    EXPECT_EQ(rows, (std::vector<CsvRow>{{u"1", u"x"}}));

    EXPECT_EQ(ReadCsvFile(dir + "/missing.csv", rows), kErrFileNotFound);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(ReadCsvFile(dir, rows), kErrAccessDenied);
    const std::string fifo = dir + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadCsvFile(fifo, rows), kErrInvalidData);  // refused at once, no wait for a writer

    EXPECT_EQ(ReadCsvFile(Write("empty.csv", ""), rows), kErrSuccess);
    EXPECT_TRUE(rows.empty());
}

// A file past the read limit is refused whole, never cut at the limit.
TEST_F(CsvFile, RefusesAFileOverTheLimit) {
    std::string bytes = "1,a\r\n;";
    bytes.resize(kCsvMaxBytes - 2, 'x');
    bytes += "\r\n2,b\r\n";
    std::vector<CsvRow> rows;
    EXPECT_EQ(ReadCsvFile(Write("big.csv", bytes), rows), kErrInvalidData);
    EXPECT_TRUE(rows.empty());
    std::u16string text;
    CsvTextFault fault;
    EXPECT_EQ(ReadCsvText(dir + "/big.csv", text, &fault), kErrInvalidData);
    EXPECT_EQ(fault.kind, CsvTextFault::Kind::TooLarge);

    bytes.resize(kCsvMaxBytes);
    EXPECT_EQ(ReadCsvText(Write("limit.csv", bytes), text, &fault), kErrSuccess);
    EXPECT_TRUE(fault.ok());
}

// A file past 4 GiB is refused as too large, not read as the two bytes its length has beyond 4 GiB.
TEST_F(CsvFile, FilePastFourGibIsRefused) {
    const std::string path = Write("huge.csv", "1,a\r\n");
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const bool sparse = ::ftruncate(fd, (off_t{1} << 32) + 2) == 0;
    ::close(fd);
    if (!sparse) {
        GTEST_SKIP() << "no sparse 4 GiB file on this file system";
    }
    std::u16string text;
    CsvTextFault fault;
    EXPECT_EQ(ReadCsvText(path, text, &fault), kErrInvalidData);
    EXPECT_EQ(fault.kind, CsvTextFault::Kind::TooLarge);
}

}  // namespace
