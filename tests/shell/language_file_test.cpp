// The language file format: lines, escapes, IDs, limits and failures, and the order in which
// the files of the system language are chosen.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/program_path.h"
#include "temp_dir.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace fs = std::filesystem;

namespace {

std::string Utf16Bytes(std::u16string_view text, bool bom = true) {
    std::string bytes = bom ? std::string("\xFF\xFE") : std::string();
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

struct Report {
    uint32_t code;
    std::string path;
};

class LanguageFileTest : public TempDirTest {
  protected:
    void SetUp() override {
        ClearLanguageTexts();
        m_program = (m_dir / "app.exe").string();
    }
    void TearDown() override { ClearLanguageTexts(); }

    std::string WriteLang(uint16_t lang, std::u16string_view text) {
        return Write(fs::path(LanguageFilePath(m_program, lang)).filename().string(), Utf16Bytes(text));
    }
    uint32_t Load(const std::string& path) {
        return LoadLanguageFile(path, [this](uint32_t code, const std::string& p) {
            m_reports.push_back({code, p});
        });
    }
    void Select(uint16_t system) {
        SelectLanguageFiles(m_program, system, [this](uint32_t code, const std::string& p) {
            m_reports.push_back({code, p});
        });
    }

    const fs::path m_dir = dir;
    std::string m_program;
    std::vector<Report> m_reports;
};

struct LineCase {
    const char* name;
    std::u16string file;
    uint32_t id;
    const char16_t* expected;  // null: the ID must be absent
};

TEST_F(LanguageFileTest, LinesIdsAndEscapes) {
    const LineCase cases[] = {
        {"plain entry", u"5\tHello\n", 5, u"Hello"},
        {"CR before LF removed", u"5\tHello\r\n", 5, u"Hello"},
        {"last entry without LF is not loaded", u"1\tA\n2\tB", 2, nullptr},
        {"earlier entries still load", u"1\tA\n2\tB", 1, u"A"},
        {"second line with the same ID wins", u"7\tfirst\n7\tsecond\n", 7, u"second"},
        {"comment line", u";8\tcomment\n", 8, nullptr},
        {"line without TAB ignored", u"9 no tab\n", 9, nullptr},
        {"hexadecimal ID", u"0x10\tsixteen\n", 16, u"sixteen"},
        {"letters define ID 0", u"abc\tzero\n", 0, u"zero"},
        {"number ends at first non-digit", u"12abc\tx\n", 12, u"x"},
        {"empty text is present", u"11\t\n", 11, u""},
        {"further TABs belong to the text", u"3\ta\tb\n", 3, u"a\tb"},
        {"backslash t", u"12\tA\\tB\n", 12, u"A\tB"},
        {"unknown escape keeps the backslash", u"12\tX:\\y\n", 12, u"X:\\y"},
        {"n and unknown q", u"12\ta\\nb\\qz\n", 12, u"a\nb\\qz"},
        {"quote, backslash, CR", u"12\t\\\"\\\\\\r\n", 12, u"\"\\\r"},
        {"trailing lone backslash", u"12\tend\\\n", 12, u"end\\"},
        {"U+0000 ends the file", std::u16string(u"1\tA\n") + char16_t(0) + u"2\tB\n", 2, nullptr},
        {"ID above 32 bits keeps the lower bits", u"0x100000005\tlow\n", 5, u"low"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearLanguageTexts();
        ASSERT_EQ(Load(Write("case.lang", Utf16Bytes(c.file))), 0u);
        if (c.expected) {
            ASSERT_TRUE(HasLanguageText(c.id));
            EXPECT_EQ(GetLanguageText(c.id), c.expected);
        } else {
            EXPECT_FALSE(HasLanguageText(c.id));
            const std::string n = "ID_" + std::to_string(c.id);
            EXPECT_EQ(GetLanguageText(c.id), std::u16string(n.begin(), n.end()));
        }
    }
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(LanguageFileTest, RefusedFilesReportAndLeaveTheTableAlone) {
    SetLanguageText(1, u"kept");
    struct Bad {
        const char* name;
        std::string bytes;
    };
    const Bad bad[] = {
        {"UTF-8 without mark", "1\tnew\n"},
        {"big-endian mark", "\xFE\xFF" + Utf16Bytes(u"1\tnew\n", false)},
        {"one byte", "\xFF"},
        {"empty", ""},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.name);
        m_reports.clear();
        const std::string path = Write("bad.lang", b.bytes);
        EXPECT_EQ(Load(path), 13u);
        ASSERT_EQ(m_reports.size(), 1u);
        EXPECT_EQ(m_reports[0].code, 13u);
        EXPECT_EQ(m_reports[0].path, path);
        EXPECT_EQ(GetLanguageText(1), u"kept");
    }
}

TEST_F(LanguageFileTest, SizeLimitIsExactly0xA00000Bytes) {
    // A file of exactly the limit: one entry, then padding in a comment line.
    std::u16string text = u"1\tfits\n;";
    const size_t units = (kLanguageFileMaxBytes - 2) / 2;
    text.resize(units - 1, u'x');
    text.push_back(u'\n');
    const std::string exact = Utf16Bytes(text);
    ASSERT_EQ(exact.size(), kLanguageFileMaxBytes);
    EXPECT_EQ(Load(Write("exact.lang", exact)), 0u);
    EXPECT_EQ(GetLanguageText(1), u"fits");

    ClearLanguageTexts();
    EXPECT_EQ(Load(Write("over.lang", exact + "x")), 13u);
    EXPECT_FALSE(HasLanguageText(1));
}

TEST_F(LanguageFileTest, OpenFailuresCarryTheSystemCode) {
    EXPECT_EQ(Load((m_dir / "missing.lang").string()), 2u);
    ASSERT_EQ(m_reports.size(), 1u);
    EXPECT_EQ(m_reports[0].code, 2u);

    fs::create_directories(m_dir / "folder.lang");
    EXPECT_EQ(Load((m_dir / "folder.lang").string()), 5u);

    if (geteuid() != 0) {  // root reads any file
        const std::string locked = Write("locked.lang", Utf16Bytes(u"1\tx\n"));
        chmod(locked.c_str(), 0);
        EXPECT_EQ(Load(locked), 5u);
    }
}

TEST_F(LanguageFileTest, SystemLanguageOverridesEnglish) {
    WriteLang(0x0409, u"2391\tEnglish root\n2401\tEnglish info\n");
    WriteLang(0x0411, u"2401\tJapanese info\n");
    Select(0x0411);
    EXPECT_EQ(GetLanguageText(2391), u"English root");
    EXPECT_EQ(GetLanguageText(2401), u"Japanese info");
    EXPECT_TRUE(m_reports.empty());
}

TEST_F(LanguageFileTest, SelectionOrder) {
    struct Case {
        const char* name;
        bool english, englishBroken, system, japanese;
        uint16_t systemId;
        std::u16string expected;  // text 1 after selection ("ID_1" when none)
        size_t reports;
    };
    const Case cases[] = {
        {"English system, English file", true, false, false, true, 0x0409, u"en", 0},
        {"German system without its file", true, false, false, true, 0x0407, u"en", 0},
        {"German system with its file", true, false, true, true, 0x0407, u"de", 0},
        {"no English, no German: Japanese", false, false, false, true, 0x0407, u"ja", 0},
        // The broken English file is tried twice on an English system, then Japanese.
        {"broken English on English system", true, true, false, true, 0x0409, u"ja", 2},
        {"broken English, German present", true, true, true, true, 0x0407, u"de", 1},
        {"nothing at all", false, false, false, false, 0x0409, u"ID_1", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearLanguageTexts();
        m_reports.clear();
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            fs::remove(entry.path());
        }
        if (c.english) {
            if (c.englishBroken) {
                Write(fs::path(LanguageFilePath(m_program, 0x0409)).filename().string(), "1\ten\n");
            } else {
                WriteLang(0x0409, u"1\ten\n");
            }
        }
        if (c.system) {
            WriteLang(c.systemId, u"1\tde\n");
        }
        if (c.japanese) {
            WriteLang(0x0411, u"1\tja\n");
        }
        Select(c.systemId);
        EXPECT_EQ(GetLanguageText(1), c.expected);
        EXPECT_EQ(m_reports.size(), c.reports);
    }
}

TEST_F(LanguageFileTest, InstalledFilesLayerUnderFilesBesideTheProgram) {
    // An installed program (bin/) with English in its share folder and German dropped beside it.
    fs::create_directories(m_dir / "bin");
    fs::create_directories(m_dir / "share/talvero");
    const std::string program = (m_dir / "bin/app.exe").string();
    const std::string english = (m_dir / "share/talvero/app.exe.0409.lang").string();
    const std::string german = (m_dir / "bin/app.exe.0407.lang").string();
    std::ofstream(english, std::ios::binary) << Utf16Bytes(u"1\ten\n2\ten two\n");
    std::ofstream(german, std::ios::binary) << Utf16Bytes(u"1\tde\n");
    const auto loaded = SelectLanguageFiles(program, 0x0407, nullptr);
    EXPECT_EQ(GetLanguageText(1), u"de");
    EXPECT_EQ(GetLanguageText(2), u"en two");
    EXPECT_EQ(loaded, (std::vector<std::string>{fs::canonical(english).string(), german}));
}

TEST_F(LanguageFileTest, BuiltEnglishFileLoads) {
    const std::string path = LanguageFilePath(std::string(TALVERO_BIN_DIR) + "/talvero", 0x0409);
    if (!fs::exists(path)) {
        GTEST_SKIP() << "the program's language file is built with the GUI";
    }
    ASSERT_EQ(Load(path), 0u);
    // The document's warning lines are formatted with these texts and their arguments.
    EXPECT_EQ(FormatLanguageText(2155, {3u, u"A very long name", u"A very"}),
              u"ID list entry 3: the name \"A very long name\" was shortened to \"A very\".");
    EXPECT_EQ(FormatLanguageText(2158, {u"Long", u"Lo"}), u"Display name: \"Long\" was shortened to \"Lo\".");
}

}  // namespace
