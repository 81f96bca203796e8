// talvero-cli idlist export and import, run as a process.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli_run.h"

namespace fs = std::filesystem;

namespace {

// The ID list lines of 'show' (the rest holds secrets scrambled anew on every save).
std::string IdListLines(const std::string& shown) {
    static const std::regex entry("^(name|id_type|id|number|yomi|id_select)_01_[0-9]+=.*$");
    std::istringstream in(shown);
    std::string line, out;
    while (std::getline(in, line)) {
        if (std::regex_match(line, entry)) {
            out += line + "\n";
        }
    }
    return out;
}

using CliIdList = CliTest;

TEST_F(CliIdList, ExportThenImportCarriesTheList) {
    const std::string a = dir + "/a.ini", b = dir + "/b.ini", c = dir + "/c.ini", csv = dir + "/l.csv";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    ASSERT_EQ(Cli("set " + a +
                  " id_type_01_07=indi id_01_07=12 name_01_07=テスト yomi_01_07=ﾃｽﾄ id_type_01_500=tel"
                  " number_01_500='0123#45' name_01_500='\"Q\", R' id_select_01_500=off")
                  .status,
              0);
    ASSERT_EQ(Cli("idlist export " + a + " " + csv).status, 0);
    EXPECT_EQ(ReadBytes(csv).substr(0, 4), std::string("\xFF\xFE"
                                                       "7\0",
                                                       4));

    ASSERT_EQ(Cli("new -o " + b).status, 0);
    const std::string before = ReadBytes(b);
    CliRun r = Cli("idlist import " + b + " " + csv + " -o " + c);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Entries imported from the ID list file: 2.\n");
    EXPECT_EQ(ReadBytes(b), before) << "-o leaves the input alone";
    const std::string list = IdListLines(Cli("show " + a).out);
    EXPECT_NE(list.find("name_01_500=\"Q\", R\n"), std::string::npos) << list;
    EXPECT_EQ(IdListLines(Cli("show " + c).out), list);
}

TEST_F(CliIdList, UnreadableCsvWritesNothing) {
    const std::string a = dir + "/a.ini";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    ASSERT_EQ(Cli("set " + a + " id_type_01_01=indi").status, 0);
    const std::string before = ReadBytes(a);
    const CliRun missing = Cli("idlist import " + a + " " + dir + "/missing.csv");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.csv"), std::string::npos);
    EXPECT_EQ(ReadBytes(a), before);
}

std::string Utf16Le(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST_F(CliIdList, ReportsShortenedNamesAndSavesInPlace) {
    // An export gives a row with the type text of the language files in use; its name is then
    // widened to 20 double-width characters, beyond what the radio displays.
    const std::string one = dir + "/one.ini", a = dir + "/a.ini", csv = dir + "/l.csv";
    ASSERT_EQ(Cli("new -o " + one).status, 0);
    ASSERT_EQ(Cli("set " + one + " id_type_01_03=indi name_01_03=MARK").status, 0);
    ASSERT_EQ(Cli("idlist export " + one + " " + csv).status, 0);
    std::string bytes = ReadBytes(csv);
    const size_t at = bytes.find(Utf16Le("MARK"));
    ASSERT_NE(at, std::string::npos);
    std::string wide;
    for (int i = 0; i < 20; ++i) {
        wide += std::string("\x42\x30", 2);  // U+3042
    }
    bytes.replace(at, 8, wide);
    std::ofstream(csv, std::ios::binary) << bytes;

    ASSERT_EQ(Cli("new -o " + a).status, 0);
    ASSERT_EQ(Cli("set " + a + " id_type_01_01=group").status, 0);
    CliRun r = Cli("idlist import " + a + " " + csv);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2) << r.out;  // the count, one shortened name
    const std::string shown = Cli("show " + a).out;
    EXPECT_NE(shown.find("id_type_01_03=indi\n"), std::string::npos);
    std::string sixteen;
    for (int i = 0; i < 16; ++i) {
        sixteen += "\xE3\x81\x82";  // U+3042 in UTF-8
    }
    EXPECT_NE(shown.find("name_01_03=" + sixteen + "\n"), std::string::npos);
    EXPECT_EQ(shown.find("id_type_01_01=group"), std::string::npos) << "entry 1 cleared";
}

// A spreadsheet's export (UTF-8, LF line ends) is imported; a file without entry numbers is refused
// and nothing is written.
TEST_F(CliIdList, SpreadsheetCsvImportsAndAFileWithoutEntriesIsRefused) {
    const std::string a = dir + "/a.ini", good = dir + "/good.csv", bare = dir + "/bare.csv";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    ASSERT_EQ(Cli("set " + a + " id_type_01_09=indi").status, 0);
    const std::string before = ReadBytes(a);
    std::ofstream(bare, std::ios::binary) << "\"ID_2535\",\"5\",\"Alice\"\n";
    CliRun r = Cli("idlist import " + a + " " + bare);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("ID list file holds no entry"), std::string::npos) << r.err;
    EXPECT_EQ(ReadBytes(a), before);

    // The type column as the program's English texts write it.
    std::ofstream(good, std::ios::binary) << "\xEF\xBB\xBF"
                                             "4,Individual,5,M\xC3\xBCller\n5,Individual,6,Bob";
    r = Cli("idlist import " + a + " " + good);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Entries imported from the ID list file: 2.\n");
    const std::string shown = Cli("show " + a).out;
    EXPECT_NE(shown.find("name_01_04=M\xC3\xBCller\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("name_01_05=Bob\n"), std::string::npos) << shown;
}

TEST_F(CliIdList, UsageMistakes) {
    EXPECT_EQ(Cli("idlist").status, 2);
    EXPECT_EQ(Cli("idlist --help").status, 0);
    EXPECT_EQ(Cli("idlist swap a b").status, 2);
    EXPECT_EQ(Cli("idlist export onlyone").status, 2);
    EXPECT_EQ(Cli("idlist import a.ini b.csv -o").status, 2);
    EXPECT_EQ(Cli("idlist export " + dir + "/missing.ini " + dir + "/x.csv").status, 1);
    EXPECT_FALSE(fs::exists(dir + "/x.csv"));
}

}  // namespace
