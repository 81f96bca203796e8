// ID list export and import: the row rules, refused values, shortened names, the modified flag,
// the views' update, and the round trip through a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "document/talvero_doc.h"
#include "idlist/id_list_export.h"
#include "idlist/id_list_import.h"
#include "platform/unicode.h"
#include "temp_dir.h"
#include "text/language_texts.h"

namespace fs = std::filesystem;

namespace {

// Stored fields of one entry: type, id, number, name, yomi, id_select.
using Entry = std::tuple<std::u16string, std::u16string, std::u16string, std::u16string, std::u16string,
                         std::u16string>;

Entry Read(const CTalveroDoc& doc, unsigned n) {
    const unsigned i = n - 1;
    return {doc.Get(u"id_type", i), doc.Get(u"id", i),   doc.Get(u"number", i),
            doc.Get(u"name", i),    doc.Get(u"yomi", i), doc.Get(u"id_select", i)};
}

const Entry kCleared{u"", u"00001", u"", u"00001", u"", u"on"};

std::string Utf16Bytes(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

class Recorder : public IDocumentObserver {
  public:
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* warnings) override {
        hints.push_back(hint);
        lines = warnings ? *warnings : std::vector<std::u16string>{u"<no list>"};
    }
    std::vector<int> hints;
    std::vector<std::u16string> lines;
};

class IdListExchange : public TempDirTest {
  protected:
    void SetUp() override {
        SetLanguageText(2535, u"Individual");
        SetLanguageText(2533, u"Group");
        SetLanguageText(2537, u"User group");
        SetLanguageText(2539, u"Telephone");
        SetLanguageText(2155, u"Entry %u: \"%s\" became \"%s\"");
    }
    void TearDown() override { ClearLanguageTexts(); }
};

const std::u16string kWide20 = u"あいうえおかきくけこさしすせそたちつてと";  // width 40
const std::u16string kWide16 = u"あいうえおかきくけこさしすせそた";          // width 32

TEST_F(IdListExchange, ImportAppliesTheRowRules) {
    struct Case {
        const char* what;
        std::u16string rows;  // CSV lines, CR LF added
        unsigned entry;
        Entry expected;
        size_t warnings = 0;
    };
    const Case cases[] = {
        {"four fields",
         u"12,\"Individual\",\"5\",\"Alice\"",
         12,
         {u"indi", u"00005", u"", u"Alice", u"", u"on"}},
        {"six fields",
         u"3,\"Group\",\"60000\",\"Team\",\"ﾁｰﾑ\",\"off\"",
         3,
         {u"group", u"60000", u"", u"Team", u"ﾁｰﾑ", u"off"}},
        {"fields after the sixth ignored",
         u"3,\"User group\",\"7\",\"U\",\"\",\"on\",\"junk\"",
         3,
         {u"user_group", u"00007", u"", u"U", u"", u"on"}},
        {"unquoted fields",
         u" 4 , Individual , 8 , Bob , , off ",
         4,
         {u"indi", u"00008", u"", u"Bob", u"", u"off"}},
        {"empty selection keeps on",
         u"5,\"Individual\",\"9\",\"C\",\"\",\"\"",
         5,
         {u"indi", u"00009", u"", u"C", u"", u"on"}},
        {"telephone number",
         u"6,\"Telephone\",\"0123#45\",\"Home\"",
         6,
         {u"tel", u"00001", u"0123#45", u"Home", u"", u"on"}},
        {"entry 500",
         u"500,\"Individual\",\"1\",\"Last\"",
         500,
         {u"indi", u"00001", u"", u"Last", u"", u"on"}},
        {"number with trailing text",
         u"7x,\"Individual\",\"1\",\"N\"",
         7,
         {u"indi", u"00001", u"", u"N", u"", u"on"}},
        {"quoted blanks kept in the name",
         u"8,\"Individual\",\"1\",\" sp \"",
         8,
         {u"indi", u"00001", u"", u" sp ", u"", u"on"}},
        {"wide name shortened",
         u"9,\"Individual\",\"2\",\"" + kWide20 + u"\"",
         9,
         {u"indi", u"00002", u"", kWide16, u"", u"on"},
         1},
        {"later row wins",
         u"10,\"Individual\",\"2\",\"First\"\r\n10,\"Group\",\"3\",\"Second\"",
         10,
         {u"group", u"00003", u"", u"Second", u"", u"on"}},
        // Refused values clear the entry, silently.
        {"telephone number with a dash", u"11,\"Telephone\",\"0123-45\",\"X\"", 11, kCleared},
        {"id 60001", u"11,\"Individual\",\"60001\",\"X\"", 11, kCleared},
        {"id 0", u"11,\"Individual\",\"0\",\"X\"", 11, kCleared},
        {"empty name", u"11,\"Individual\",\"1\",\"\"", 11, kCleared},
        {"reading too long", u"11,\"Individual\",\"1\",\"X\",\"" + std::u16string(33, u'y') + u"\"", 11,
         kCleared},
        {"bad selection", u"11,\"Individual\",\"1\",\"X\",\"\",\"maybe\"", 11, kCleared},
        {"wide name on a refused entry", u"11,\"Individual\",\"0\",\"" + kWide20 + u"\"", 11, kCleared, 0},
        {"refused row after an accepted one",
         u"11,\"Individual\",\"1\",\"X\"\r\n11,\"Individual\",\"0\",\"X\"", 11, kCleared},
        // Rows that break the row rules are skipped.
        {"entry 0", u"0,\"Individual\",\"1\",\"X\"", 1, kCleared},
        {"entry 501", u"501,\"Individual\",\"1\",\"X\"", 500, kCleared},
        {"text as entry", u"abc,\"Individual\",\"1\",\"X\"", 1, kCleared},
        {"three fields", u"13,\"Individual\",\"1\"", 13, kCleared},
        {"type in other case", u"13,\"individual\",\"1\",\"X\"", 13, kCleared},
        {"stored type word", u"13,\"indi\",\"1\",\"X\"", 13, kCleared},
        {"comment", u";13,\"Individual\",\"1\",\"X\"", 13, kCleared},
    };
    for (const auto& c : cases) {
        CTalveroDoc doc;
        const IdListImportResult r = ApplyIdListCsv(doc, c.rows + u"\r\n");
        EXPECT_EQ(Read(doc, c.entry), c.expected) << c.what;
        EXPECT_EQ(r.warnings.size(), c.warnings) << c.what;
    }
}

TEST_F(IdListExchange, ShortenedNameIsReportedWithTheNameAsReadAndAsStored) {
    CTalveroDoc doc;
    const std::vector<std::u16string> warnings =
        ApplyIdListCsv(doc, u"9,\"Individual\",\"2\",\"" + kWide20 + u"\"\r\n").warnings;
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], u"Entry 9: \"" + kWide20 + u"\" became \"" + kWide16 + u"\"");
}

TEST_F(IdListExchange, ImportReplacesTheWholeList) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"id_type", 0, u"indi"));
    ASSERT_TRUE(doc.Set(u"name", 0, u"Old"));
    ASSERT_TRUE(doc.Set(u"id_type", 41, u"tel"));
    ASSERT_TRUE(doc.Set(u"number", 41, u"110"));
    EXPECT_EQ(ApplyIdListCsv(doc, u"2,\"Group\",\"4\",\"New\"\r\n").taken, 1u);
    EXPECT_EQ(Read(doc, 1), kCleared);
    EXPECT_EQ(Read(doc, 42), kCleared);
    EXPECT_EQ(Read(doc, 2), (Entry{u"group", u"00004", u"", u"New", u"", u"on"}));
}

// Files edited elsewhere: LF, CR and mixed line ends, and a last line without one, all count.
TEST_F(IdListExchange, AnyLineEndEndsARow) {
    for (const std::u16string ends : {u"\n\n", u"\r\n\n", u"\r\r", u"\n\r\n", u"\r\n"}) {
        CTalveroDoc doc;
        const std::u16string text = u"2,\"Group\",\"4\",\"New\"" + ends.substr(0, 1) + u";c" +
                                    ends.substr(1) + u"3,\"Group\",\"5\",\"More\"";
        const IdListImportResult r = ApplyIdListCsv(doc, text);
        EXPECT_EQ(r.taken, 2u);
        EXPECT_EQ(Read(doc, 2), (Entry{u"group", u"00004", u"", u"New", u"", u"on"}));
        EXPECT_EQ(Read(doc, 3), (Entry{u"group", u"00005", u"", u"More", u"", u"on"}));
    }
}

// A file that yields no entry would otherwise wipe the list without a word: it is refused with
// its reason, and the list and the modified flag stay as they were.
TEST_F(IdListExchange, FileWithoutAnEntryIsRefusedAndLeavesTheList) {
    SetLanguageText(2113, u"no row: types %s");
    SetLanguageText(2115, u"no entry taken");
    struct Case {
        const char* what;
        std::u16string text;
        std::u16string refusal;
    };
    const Case cases[] = {
        {"empty file", u"", u"no row: types \"Individual\", \"Group\", \"User group\", \"Telephone\""},
        {"rows without the entry number", u"\"Individual\",\"5\",\"Alice\"\r\n\"Group\",\"6\",\"Bob\"\r\n",
         u"no row: types \"Individual\", \"Group\", \"User group\", \"Telephone\""},
        {"comments only", u";1,\"Individual\",\"5\",\"Alice\"\r\n",
         u"no row: types \"Individual\", \"Group\", \"User group\", \"Telephone\""},
        {"every entry refused", u"1,\"Individual\",\"0\",\"A\"\r\n2,\"Telephone\",\"1-2\",\"B\"\r\n",
         u"no entry taken"},
    };
    for (const auto& c : cases) {
        CTalveroDoc doc;
        ASSERT_TRUE(doc.Set(u"id_type", 4, u"indi"));
        ASSERT_TRUE(doc.Set(u"name", 4, u"Kept"));
        doc.SetModifiedFlag(false);
        const IdListImportResult r = ApplyIdListCsv(doc, c.text);
        EXPECT_FALSE(r.ok()) << c.what;
        EXPECT_EQ(r.refusal, c.refusal) << c.what;
        EXPECT_EQ(r.taken, 0u) << c.what;
        EXPECT_EQ(Read(doc, 5), (Entry{u"indi", u"00001", u"", u"Kept", u"", u"on"})) << c.what;
        EXPECT_FALSE(doc.IsModified()) << c.what;
    }
}

// Type texts come from the language table: a file written under other texts matches nothing.
TEST_F(IdListExchange, TypeTextsOfAnotherLanguageMatchNothing) {
    CTalveroDoc doc;
    ClearLanguageTexts();
    ApplyIdListCsv(doc, u"1,\"Individual\",\"1\",\"A\"\r\n2,\"ID_2535\",\"2\",\"B\"\r\n");
    EXPECT_EQ(Read(doc, 1), kCleared);
    EXPECT_EQ(Read(doc, 2), (Entry{u"indi", u"00002", u"", u"B", u"", u"on"}));
}

// Clearing entries does not mark the document modified by itself, so an import that only removed
// entries would go unnoticed: closing the program would not offer to save.
TEST_F(IdListExchange, ImportThatOnlyRemovesEntriesMarksTheDocumentModified) {
    CTalveroDoc doc;
    ASSERT_TRUE(ApplyIdListCsv(doc, u"1,\"Individual\",\"1\",\"X\"\n").ok());
    ASSERT_TRUE(doc.Set(u"id_type", 1, u"group"));
    doc.SetModifiedFlag(false);
    ApplyIdListCsv(doc, u"1,\"Individual\",\"1\",\"X\"\n");  // entry 1 as it is; entry 2 gone
    EXPECT_EQ(Read(doc, 2), kCleared);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(IdListExchange, ImportOfAFileNotifiesTheViewsInEveryCase) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"id_type", 4, u"indi"));
    Recorder views;
    doc.AddObserver(&views);

    IdListImportResult r = ImportIdList(doc, dir + "/missing.csv");
    EXPECT_EQ(r.code, kErrFileNotFound);
    EXPECT_EQ(views.hints, std::vector<int>{kHintLoaded});
    EXPECT_TRUE(views.lines.empty());
    EXPECT_EQ(doc.Get(u"id_type", 4), u"indi") << "a failed read leaves the list";

    const std::string csv = Write("in.csv", Utf16Bytes(u"1,\"Individual\",\"2\",\"" + kWide20 + u"\"\r\n"));
    r = ImportIdList(doc, csv);
    EXPECT_EQ(r.code, kErrSuccess);
    EXPECT_EQ(views.hints, (std::vector<int>{kHintLoaded, kHintLoaded}));
    EXPECT_EQ(views.lines, r.warnings);
    EXPECT_EQ(views.lines.size(), 1u);
    EXPECT_EQ(doc.Get(u"id_type", 4), u"");
    doc.RemoveObserver(&views);
}

TEST_F(IdListExchange, ExportWritesTheEntriesInUse) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"id_type", 1, u"indi"));
    ASSERT_TRUE(doc.Set(u"id", 1, u"42"));
    ASSERT_TRUE(doc.Set(u"name", 1, u"Say \"hi\", Bob"));
    ASSERT_TRUE(doc.Set(u"yomi", 1, u"ｾｲ"));
    ASSERT_TRUE(doc.Set(u"id_type", 499, u"tel"));
    ASSERT_TRUE(doc.Set(u"number", 499, u"*123#"));
    ASSERT_TRUE(doc.Set(u"id_select", 499, u"off"));
    ASSERT_TRUE(doc.Set(u"name", 7, u"not in use"));  // no type: not written
    EXPECT_EQ(RenderIdListCsv(doc),
              Utf16Bytes(u"2,\"Individual\",\"00042\",\"Say \"\"hi\"\", Bob\",\"ｾｲ\",\"on\"\r\n"
                         u"500,\"Telephone\",\"*123#\",\"00001\",\"\",\"off\"\r\n"));
    EXPECT_EQ(RenderIdListCsv(CTalveroDoc()), "\xFF\xFE");
}

TEST_F(IdListExchange, ExportThenImportRestoresTheList) {
    CTalveroDoc source;
    const char16_t* types[] = {u"indi", u"group", u"user_group", u"tel"};
    for (unsigned i = 0; i < 500; i += 3) {
        const std::u16string type = types[(i / 3) % 4];
        ASSERT_TRUE(source.Set(u"id_type", i, type));
        const std::u16string n = Utf8ToUtf16(std::to_string(i + 1));
        ASSERT_TRUE(type == u"tel" ? source.Set(u"number", i, u"0" + n + u"#") : source.Set(u"id", i, n));
        ASSERT_TRUE(source.Set(u"name", i, (i % 2 ? u"名前 \"" : u" a,b; ") + n));
        ASSERT_TRUE(source.Set(u"yomi", i, i % 5 ? u"ﾅﾏｴ" + n : u""));
        ASSERT_TRUE(source.Set(u"id_select", i, i % 7 ? u"on" : u"off"));
    }
    const std::string csv = dir + "/list.csv";
    ASSERT_TRUE(ExportIdList(source, csv).ok());

    CTalveroDoc target;
    ASSERT_TRUE(target.Set(u"id_type", 1, u"indi"));  // not in the file: cleared by the import
    const IdListImportResult r = ImportIdList(target, csv);
    EXPECT_EQ(r.code, kErrSuccess);
    EXPECT_TRUE(r.warnings.empty());
    for (unsigned n = 1; n <= 500; ++n) {
        ASSERT_EQ(Read(target, n), Read(source, n)) << n;
    }
}

TEST_F(IdListExchange, FailedExportLeavesTheOldFile) {
    CTalveroDoc doc;
    const std::string old = Write("old.csv", "previous");
    fs::create_directory(dir + "/sub");
    EXPECT_FALSE(ExportIdList(doc, dir + "/sub").ok());  // a folder is no file to replace
    EXPECT_FALSE(ExportIdList(doc, dir + "/no/such/folder/x.csv").ok());
    std::ifstream in(old, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "previous");
}

}  // namespace
