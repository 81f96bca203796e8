// Paths derived from the program file, the language identifier of the system, the version block
// reader, and the build step that makes language files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/k_file_version.h"
#include "platform/language_id.h"
#include "platform/program_path.h"

namespace fs = std::filesystem;

namespace {

TEST(ProgramPath, LanguageAndHelpFileNames) {
    EXPECT_EQ(LanguageFilePath("C:/Tools/app.exe", 0x0409), "C:/Tools/app.exe.0409.lang");
    EXPECT_EQ(LanguageFilePath("/opt/bin/talvero", 0x0411), "/opt/bin/talvero.0411.lang");
    EXPECT_EQ(LanguageFilePath("/opt/bin/talvero", 0x0c0a), "/opt/bin/talvero.0c0a.lang");
    struct Case {
        const char* program;
        const char* help;
    };
    const Case cases[] = {
        {"/tools/app.exe", "/tools/app.chm"},
        {"/tools/app.v2.exe", "/tools/app.v2.chm"},
        {"/home/u/.local/bin/talvero", "/home/u/.local/bin/talvero.chm"},  // a dot in a folder is kept
        {"talvero", "talvero.chm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HelpFilePath(c.program), c.help) << c.program;
    }
}

TEST(ProgramPath, DataFilesBesideTheProgramBeforeTheInstalledShareFolder) {
    const fs::path root = fs::temp_directory_path() / ("datafiles_" + std::to_string(getpid()));
    fs::remove_all(root);
    // Merged /usr: bin is a link to usr/bin, so bin/.. is usr, not the root.
    fs::create_directories(root / "usr/bin");
    fs::create_directories(root / "usr/share/talvero");
    fs::create_directory_symlink("usr/bin", root / "bin");
    auto touch = [](const fs::path& p) { std::ofstream(p) << "x"; };
    touch(root / "usr/bin/both.chm");
    touch(root / "usr/share/talvero/both.chm");
    touch(root / "usr/bin/beside.chm");
    touch(root / "usr/share/talvero/installed.chm");
    struct Case {
        const char* beside;  // under root
        const char* found;
    };
    const Case cases[] = {
        {"usr/bin/both.chm", "usr/bin/both.chm"},
        {"usr/bin/beside.chm", "usr/bin/beside.chm"},
        {"usr/bin/installed.chm", "usr/share/talvero/installed.chm"},
        {"bin/installed.chm", "usr/share/talvero/installed.chm"},
        {"usr/bin/missing.chm", "usr/bin/missing.chm"},  // reported under the name beside the program
    };
    const std::string real = fs::canonical(root).string() + "/";
    for (const auto& c : cases) {
        const std::string found = LocateDataFile((root / c.beside).string());
        const std::string expected = (root / c.found).string();
        EXPECT_TRUE(found == expected || found == real + c.found) << c.beside << " -> " << found;
    }
    fs::remove_all(root);
}

TEST(LanguageId, FromLocaleNames) {
    struct Case {
        const char* locale;
        uint16_t id;
    };
    const Case cases[] = {
        {"ja_JP.UTF-8", 0x0411},
        {"ja", 0x0411},
        {"en_US.UTF-8", 0x0409},
        {"en_GB", 0x0809},
        {"de_DE.UTF-8", 0x0407},
        {"de_AT", 0x0c07},
        {"zh_TW.UTF-8", 0x0404},
        {"fr_FR@euro", 0x040c},
        {"C", 0x0409},
        {"POSIX", 0x0409},
        {"", 0x0409},
        {"xx_YY", 0x0409},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageIdFromLocaleName(c.locale), c.id) << c.locale;
    }
}

// The locale whose Qt translations the windows load for a language ID names that same language.
TEST(LanguageId, LocaleNameOfEveryKnownIdLeadsBackToIt) {
    for (uint16_t id : {0x0411, 0x0409, 0x0809, 0x0c07, 0x0404, 0x0816}) {
        EXPECT_EQ(LanguageIdFromLocaleName(LocaleNameOfLanguageId(id)), id) << id;
    }
    EXPECT_EQ(LocaleNameOfLanguageId(0x0411), "ja");
    EXPECT_EQ(LocaleNameOfLanguageId(0x7fff), "");
}

TEST(LanguageId, EnvironmentAndOverride) {
    struct Case {
        const char* forced;  // TALVERO_LANG, null for unset
        const char* lcAll;
        const char* lang;
        uint16_t id;
    };
    const Case cases[] = {
        {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", 0x0411},  // LC_ALL before LANG
        {nullptr, "", "de_DE.UTF-8", 0x0407},
        {"0x0411", "en_US.UTF-8", "en_US.UTF-8", 0x0411},
        {"1031", "", "ja_JP", 0x0407},
        {"0411", "", "en_US", 0x0411},  // written as in talvero.0411.lang, not octal
        {"0c0a", "", "en_US", 0x0c0a},
        {"0X0809", "", "ja_JP", 0x0809},
        {"0x", "", "ja_JP", 0x0411},
        {"0x04g1", "", "ja_JP", 0x0411},
        {"-1041", "", "ja_JP", 0x0411},
        {"0000", "", "ja_JP", 0x0411},
        {"banana", "", "ja_JP", 0x0411},  // a bad override is ignored
        {"0x10000", "", "ja_JP", 0x0411},
    };
    for (const auto& c : cases) {
        if (c.forced) {
            setenv("TALVERO_LANG", c.forced, 1);
        } else {
            unsetenv("TALVERO_LANG");
        }
        setenv("LC_ALL", c.lcAll, 1);
        unsetenv("LC_MESSAGES");
        setenv("LANG", c.lang, 1);
        EXPECT_EQ(SystemDefaultLanguageId(), c.id)
            << (c.forced ? c.forced : "-") << " " << c.lcAll << " " << c.lang;
    }
    unsetenv("TALVERO_LANG");
}

VersionBlock Block(uint32_t ms, uint16_t lang, uint16_t cp,
                   std::vector<std::pair<std::u16string, std::u16string>> values,
                   std::optional<VersionStringTable> extra = std::nullopt) {
    VersionBlock b;
    b.fileVersionMS = ms;
    b.translations = {{lang, cp}};
    b.stringTables.push_back({lang, cp, std::move(values)});
    if (extra) {
        b.stringTables.push_back(*extra);
    }
    return b;
}

TEST(KFileVersion, VersionNumbersAndStrings) {
    const VersionBlock v2_5 = Block((2u << 16) | 5, 0x0409, 1200, {{u"ProductName", u"  Talvero  "}});
    KFileVersion version(&v2_5);
    ASSERT_TRUE(version.ReadVersionBlock());
    EXPECT_EQ(version.Major(), 2u);
    EXPECT_EQ(version.Minor(), 5u);
    EXPECT_EQ(version.m_productName, u"Talvero");  // blanks trimmed at both ends
    EXPECT_TRUE(version.m_legalNotice.empty());    // a value not found stays empty
    EXPECT_FALSE(version.m_modulePath.empty());

    version.ClearVersionBlock();
    EXPECT_TRUE(version.m_productName.empty());
    EXPECT_EQ(version.m_fixedInfo, nullptr);
    EXPECT_EQ(version.m_translation, nullptr);
}

TEST(KFileVersion, FallsBackToEnglishUnicodeTable) {
    // The first translation names a table that lacks the value; the 0409/04b0 table has it.
    const VersionBlock b = Block(0x00010000, 0x0411, 932, {{u"Comments", u"ja"}},
                                 VersionStringTable{0x0409, 0x04b0, {{u"ProductName", u"Product"}}});
    KFileVersion version(&b);
    ASSERT_TRUE(version.ReadVersionBlock());
    EXPECT_EQ(version.m_comments, u"ja");
    EXPECT_EQ(version.m_productName, u"Product");
}

TEST(KFileVersion, WithoutTranslationTheStringsStayEmpty) {
    VersionBlock b = Block(0x00030007, 0x0409, 1200, {{u"ProductName", u"P"}});
    b.translations.clear();
    KFileVersion version(&b);
    ASSERT_TRUE(version.ReadVersionBlock());
    EXPECT_EQ(version.Minor(), 7u);
    EXPECT_TRUE(version.m_productName.empty());
}

TEST(KFileVersion, ProgramBlockCarriesTheProductStrings) {
    KFileVersion version;
    ASSERT_TRUE(version.ReadVersionBlock());
    EXPECT_FALSE(version.m_productName.empty());
    EXPECT_FALSE(version.m_fileDescription.empty());
    EXPECT_FALSE(version.m_legalNotice.empty());
    EXPECT_EQ(version.m_fileVersion.substr(0, 2),
              std::u16string(1, static_cast<char16_t>(u'0' + version.Major())) + u".");
}

// The build step refuses language sources that would load differently from how they read.
TEST(LangCompile, RefusesMisleadingSources) {
#ifndef TALVERO_LANG_COMPILE
    GTEST_SKIP() << "the language build step is built with the program";
#else
    const fs::path dir = fs::temp_directory_path() / ("langc_" + std::to_string(getpid()));
    fs::create_directories(dir);
    struct Case {
        const char* name;
        const char* source;
        bool ok;
    };
    const Case cases[] = {
        {"good", "; comment\n1\tOne\n0x10\tSixteen\n\n", true},
        {"no final line end", "1\tOne", false},
        {"repeated ID", "1\tOne\n1\tAgain\n", false},
        {"entry without number", "One\tx\n", false},
        {"text line without TAB", "1 One\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path src = dir / "in.txt";
        const fs::path out = dir / "out.lang";
        fs::remove(out);
        std::ofstream(src, std::ios::binary) << c.source;
        const std::string command =
            std::string(TALVERO_LANG_COMPILE) + " " + src.string() + " " + out.string() + " 2>/dev/null";
        const int rc = std::system(command.c_str());
        EXPECT_EQ(rc == 0, c.ok);
        EXPECT_EQ(fs::exists(out), c.ok);  // nothing half-made is left behind
    }
    fs::remove_all(dir);
#endif
}

}  // namespace
