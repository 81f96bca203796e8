// The configuration file: exact bytes, acceptance rules, refusals and the atomic save.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "largest_config.h"
#include "platform/code_page.h"
#include "temp_dir.h"
#include "text/language_texts.h"

namespace fs = std::filesystem;

namespace {

class ConfigFile : public TempDirTest {
  protected:
    static std::string Utf16(std::u16string_view text, bool bom = true) {
        std::string out = bom ? std::string("\xFF\xFE") : std::string();
        for (char16_t c : text) {
            out.push_back(static_cast<char>(c & 0xFF));
            out.push_back(static_cast<char>(c >> 8));
        }
        return out;
    }
};

std::vector<std::u16string> RadioLines(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    return lines;
}

TEST_F(ConfigFile, SavedBytesHaveTheExactLayout) {
    CTalveroDoc doc;
    const std::string path = dir + "/a.ini";
    ASSERT_TRUE(SaveConfigurationFile(doc, path).ok());
    const std::string bytes = ReadBytes(path);
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    std::u16string expected = u";{499D5724-3DB8-45B8-B06D-5E0563C69F20}\r\n;Talvero\r\n[Config]\r\n";
    for (const auto& l : lines) {
        // Secrets are scrambled differently on every save, so compare them by position only.
        expected += l.starts_with(u"access_pass=") || l.find(u"_key_") != std::u16string::npos ||
                            l.find(u"passwd") != std::u16string::npos ||
                            l.find(u"_psk_") != std::u16string::npos ||
                            l.find(u"cert_cert_") != std::u16string::npos
                        ? std::u16string()
                        : l;
        expected += u"\r\n";
    }
    EXPECT_EQ(bytes.substr(0, 6), std::string("\xFF\xFE;\0{\0", 6));
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    EXPECT_TRUE(text.starts_with(
        u";{499D5724-3DB8-45B8-B06D-5E0563C69F20}\r\n;Talvero\r\n[Config]\r\ndef_id_type_01=all\r\n"));
    EXPECT_TRUE(text.ends_with(u"cs_file_info_name= : \r\n"));
    EXPECT_EQ(bytes.size() % 2, 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), static_cast<long>(lines.size() + 3));
    EXPECT_EQ(doc.GetPathName(), path);
}

TEST_F(ConfigFile, FullyPopulatedConfigurationRoundTrips) {
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    ASSERT_TRUE(doc.IsModified());
    const std::string path = dir + "/full.ini";
    ASSERT_TRUE(SaveConfigurationFile(doc, path).ok());
    EXPECT_FALSE(doc.IsModified());
    const std::string first = ReadBytes(path);
    ASSERT_TRUE(SaveConfigurationFile(doc, path).ok());
    EXPECT_NE(ReadBytes(path), first);  // secrets scrambled anew

    CTalveroDoc back;
    ASSERT_TRUE(back.Set(u"wlan_ssid", 0, u"stale"));
    back.m_wlanOnly = 1;
    ASSERT_TRUE(OpenConfigurationFile(back, path).ok());
    EXPECT_FALSE(back.IsModified());
    EXPECT_EQ(back.m_wlanOnly, 1);  // opening never touches the WLAN-only flag
    back.m_wlanOnly = 0;
    EXPECT_EQ(RadioLines(back), RadioLines(doc));
    std::vector<std::u16string> a, b;
    back.RenderSettings(a, true);
    doc.RenderSettings(b, true);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(back.Get(u"eap_cert_cert", 3), doc.Get(u"eap_cert_cert", 3));
    EXPECT_EQ(back.Get(u"access_pass"), u"0123456789abcdef");
}

TEST_F(ConfigFile, AcceptanceRules) {
    const std::u16string id = u"{499D5724-3DB8-45B8-B06D-5E0563C69F20}";
    struct Case {
        const char* name;
        std::string bytes;
        ConfigRefusal expected;
    };
    const Case cases[] = {
        {"header and section only", Utf16(u";" + id + u"\r\n;x\r\n[Config]\r\n"), ConfigRefusal::None},
        {"identifier inside a value", Utf16(u"[Config]\r\nemer_number_01=" + id), ConfigRefusal::None},
        {"ANSI file",
         ";" + std::string(id.begin(), id.end()) +
             "\r\n[Config]\r\ndisp_name_01=\x83\x65\x83\x58\x83\x67\r\n",
         ConfigRefusal::None},
        {"UTF-16 without byte-order mark", Utf16(u";" + id + u"\r\n[Config]\r\n", false),
         ConfigRefusal::NotConfiguration},
        {"LF line ends", Utf16(u";" + id + u"\n[Config]\ndef_id_01=00007\n"),
         ConfigRefusal::NotConfiguration},
        {"identifier missing", Utf16(u";\r\n[Config]\r\n"), ConfigRefusal::NotConfiguration},
        {"binary", std::string("\x00\x01\x02\xFF\xFE\x00", 6), ConfigRefusal::NotConfiguration},
        {"lone byte after the mark", std::string("\xFF\xFE\x41", 3), ConfigRefusal::NotConfiguration},
        {"empty", "", ConfigRefusal::Empty},
        {"entry refused", Utf16(u";" + id + u"\r\n[Config]\r\nid_type_01_03=indi\r\nid_01_03=70000\r\n"),
         ConfigRefusal::EntryRefused},
    };
    for (const auto& c : cases) {
        CTalveroDoc doc;
        ASSERT_TRUE(doc.Set(u"disp_name", u"before"));
        const ConfigLoadResult r = OpenConfigurationFile(doc, Write("case.ini", c.bytes));
        EXPECT_EQ(r.refusal, c.expected) << c.name;
        EXPECT_FALSE(r.Describe().empty());
        if (c.expected == ConfigRefusal::None) {
            EXPECT_FALSE(doc.IsModified()) << c.name;
            EXPECT_NE(doc.Get(u"disp_name"), u"before") << c.name;
        } else if (c.expected == ConfigRefusal::EntryRefused) {
            EXPECT_EQ(doc.Get(u"disp_name"), u"") << c.name;  // back to the defaults
            EXPECT_EQ(doc.Get(u"id_type", 2), u"") << c.name;
        } else {
            EXPECT_EQ(doc.Get(u"disp_name"), u"before") << c.name;  // untouched
        }
    }
    CTalveroDoc doc;
    EXPECT_EQ(OpenConfigurationFile(doc, dir + "/missing.ini").refusal, ConfigRefusal::CannotOpen);
    EXPECT_EQ(OpenConfigurationFile(doc, dir).refusal, ConfigRefusal::CannotOpen);
}

// The warnings the last load gave its observers.
struct LoadWarnings : IDocumentObserver {
    void OnDocumentUpdate(int, const std::vector<std::u16string>* w) override {
        if (w) {
            lines = *w;
        }
    }
    std::vector<std::u16string> lines;
};

// A NUL inside the file neither cuts the file short nor a value: the value holding it is not
// loaded, with a warning naming it, and every setting after it loads.
TEST_F(ConfigFile, ANulIsWarnedAboutAndCutsNothing) {
    const std::u16string id = u"{499D5724-3DB8-45B8-B06D-5E0563C69F20}";
    const std::u16string nul(1, u'\0');
    SetLanguageText(2161, u"%s: not loaded");
    const struct {
        const char* what;
        std::string bytes;
        std::u16string dispName;  // what loads; "" when the value is refused
        bool warned;
    } cases[] = {
        {"NUL in a UTF-16 value",
         Utf16(u";" + id + u"\r\n[Config]\r\ndisp_name_01=Tr" + nul + u"ouble\r\ndef_id_01=00042\r\n"), u"",
         true},
        {"NUL in an 8-bit value",
         ";" + std::string(id.begin(), id.end()) + "\r\n[Config]\r\ndisp_name_01=Tr" + std::string(1, '\0') +
             "ouble\r\ndef_id_01=00042\r\n",
         u"", true},
        {"NUL in a line of its own",
         Utf16(u";" + id + u"\r\n[Config]\r\n" + nul + u"\r\ndisp_name_01=Ok\r\ndef_id_01=00042\r\n"), u"Ok",
         false},
        {"NULs padding the end",
         Utf16(u";" + id + u"\r\n[Config]\r\ndisp_name_01=Ok\r\ndef_id_01=00042" + nul + nul), u"Ok", false},
    };
    for (const auto& c : cases) {
        LoadWarnings warnings;
        CTalveroDoc doc;
        doc.AddObserver(&warnings);
        ASSERT_TRUE(OpenConfigurationFile(doc, Write("nul.ini", c.bytes)).ok()) << c.what;
        EXPECT_EQ(doc.Get(u"disp_name"), c.dispName) << c.what;
        EXPECT_EQ(doc.Get(u"def_id"), u"00042") << c.what;
        bool named = false;
        for (const auto& l : warnings.lines) {
            named = named || l.find(u"disp_name_01") != std::u16string::npos;
        }
        EXPECT_EQ(named, c.warned) << c.what;
        doc.RemoveObserver(&warnings);
    }
}

// A value its setting cannot take keeps the setting as it was, and the load warnings say so: the
// key, the value read (as messages repeat values: cut and escaped) and the value kept.
TEST_F(ConfigFile, ValuesTheSettingsRefuseAreNamedInTheWarnings) {
    const std::u16string id = u"{499D5724-3DB8-45B8-B06D-5E0563C69F20}";
    SetLanguageText(2190, u"%s=%s kept %s");
    LoadWarnings warnings;
    CTalveroDoc doc;
    doc.AddObserver(&warnings);
    ASSERT_TRUE(OpenConfigurationFile(
                    doc, Write("refused.ini", Utf16(u";" + id +
                                                    u"\r\n[Config]\r\next_afout_01=auto\r\nsel_01=\x1b[2J\r\n"
                                                    u"def_id_01=00042\r\nmsg_tx_01=on\r\n")))
                    .ok());
    EXPECT_EQ(warnings.lines,
              (std::vector<std::u16string>{u"sel_01=\\e[2J kept off", u"ext_afout_01=auto kept off"}));
    EXPECT_EQ(doc.Get(u"def_id"), u"00042");
    EXPECT_EQ(doc.Get(u"msg_tx"), u"on");
    doc.RemoveObserver(&warnings);
}

TEST_F(ConfigFile, AnsiFileIsDecodedInTheCodePage) {
    const std::string id = "{499D5724-3DB8-45B8-B06D-5E0563C69F20}";
    CTalveroDoc doc;
    ASSERT_TRUE(OpenConfigurationFile(doc, Write("a.ini", ";" + id + "\r\n[Config]\r\ndisp_name_01=" +
                                                              ToAnsi(u"テスト") + "\r\n"))
                    .ok());
    EXPECT_EQ(doc.Get(u"disp_name"), u"テスト");
    // A file with only the header: defaults, information settings empty.
    ASSERT_TRUE(OpenConfigurationFile(doc, Write("b.ini", id + "\r\n[Config]\r\n")).ok());
    EXPECT_EQ(doc.Get(u"dns_port"), u"");
    EXPECT_EQ(doc.Get(u"tenant"), u"1");
    EXPECT_EQ(doc.Get(u"disp_name"), u"");
}

TEST_F(ConfigFile, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
    CTalveroDoc doc;
    const std::string path = Write("keep.ini", "old contents");
    ASSERT_TRUE(doc.Set(u"disp_name", u"new"));
    // A folder that cannot be written to: the temporary file cannot be created.
    ASSERT_EQ(chmod(dir.c_str(), 0500), 0);
    if (access(dir.c_str(), W_OK) == 0) {
        // Running as root: make the target's folder vanish instead.
        chmod(dir.c_str(), 0700);
        const ErrorInfo e = SaveConfigurationFile(doc, dir + "/no/such/folder/x.ini");
        EXPECT_FALSE(e.ok());
        EXPECT_NE(e.detail.find("x.ini"), std::string::npos);
    } else {
        const ErrorInfo e = SaveConfigurationFile(doc, path);
        chmod(dir.c_str(), 0700);
        EXPECT_FALSE(e.ok());
        EXPECT_EQ(ReadBytes(path), "old contents");
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), "");
    // Saving over a folder fails the same way, and nothing is left behind.
    fs::create_directory(dir + "/sub.ini");
    EXPECT_FALSE(SaveConfigurationFile(doc, dir + "/sub.ini").ok());
    size_t files = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        files += e.path().filename().string().starts_with(".") ? 1 : 0;
    }
    EXPECT_EQ(files, 0u);
}

}  // namespace
