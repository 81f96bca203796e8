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
    struct Case {
        const char* what;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"UTF-16LE", Utf16Bytes(u"1,ア\r\n"), u"1,ア\r\n"},
        {"CP932", std::string("1,\x83\x41\r\n"), u"1,ア\r\n"},
        {"NUL ends UTF-16", Utf16Bytes(std::u16string(u"a\r\n") + u'\0' + u"b\r\n"), u"a\r\n"},
        {"NUL ends 8-bit", std::string("a\r\n\0b\r\n", 7), u"a\r\n"},
        {"odd last byte pairs with zero", Utf16Bytes(u"a\r") + "\n", u"a\r\n"},
        {"the mark alone is 8-bit text", std::string("\xFF\xFE"), FromAnsi("\xFF\xFE")},
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
        {"NUL ends UTF-8", std::string("\xC3\xBC\0\xC3\xBC", 5), u"ü"},
        // Not valid UTF-8: the code page, as before.
        {"CP932 kana pair", std::string("\x83\x41\x83\x43"), u"アイ"},
        {"truncated sequence", std::string("a\xE3\x82"), FromAnsi("a\xE3\x82")},
        {"overlong slash", std::string("\xC0\xAF"), FromAnsi("\xC0\xAF")},
        {"encoded surrogate", std::string("\xED\xA0\x80"), FromAnsi("\xED\xA0\x80")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeCsvBytes(c.bytes), c.text) << c.what;
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

// Beyond the read limit nothing counts: here a line just past it is not read.
TEST_F(CsvFile, StopsAtTheReadLimit) {
    std::string bytes = "1,a\r\n;";
    bytes.resize(kCsvMaxBytes - 2, 'x');
    bytes += "\r\n2,b\r\n";
    std::vector<CsvRow> rows;
    EXPECT_EQ(ReadCsvFile(Write("big.csv", bytes), rows), kErrSuccess);
    EXPECT_EQ(rows, (std::vector<CsvRow>{{u"1", u"a"}}));
}

// A file past 4 GiB is read up to the limit, not as the two bytes its length has beyond 4 GiB.
TEST_F(CsvFile, FilePastFourGibIsReadFromItsStart) {
    const std::string path = Write("huge.csv", "1,a\r\n");
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    const bool sparse = ::ftruncate(fd, (off_t{1} << 32) + 2) == 0;
    ::close(fd);
    if (!sparse) {
        GTEST_SKIP() << "no sparse 4 GiB file on this file system";
    }
    std::vector<CsvRow> rows;
    EXPECT_EQ(ReadCsvFile(path, rows), kErrSuccess);
    EXPECT_EQ(rows, (std::vector<CsvRow>{{u"1", u"a"}}));
}

}  // namespace
