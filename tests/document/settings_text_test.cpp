// Rendering the document as key=value lines and loading it back.
#include <gtest/gtest.h>

#include <algorithm>

#include "document/ini_data.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"
#include "largest_config.h"
#include "text/language_texts.h"

namespace {

std::vector<std::u16string> Render(const CTalveroDoc& doc, bool forFile) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, forFile);
    return lines;
}

bool Has(const std::vector<std::u16string>& lines, std::u16string_view line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

size_t CountPrefix(const std::vector<std::u16string>& lines, std::u16string_view prefix) {
    return std::count_if(lines.begin(), lines.end(), [&](const auto& l) { return l.starts_with(prefix); });
}

CIniData MapOf(const std::vector<std::u16string>& lines) {
    CIniData map;
    map.LoadHexText(RenderHexLines(lines));
    return map;
}

class Recorder : public IDocumentObserver {
  public:
    void OnDocumentUpdate(int hint, const std::vector<std::u16string>* w) override {
        hints.push_back(hint);
        warnings = w ? *w : std::vector<std::u16string>{};
        hadList = w != nullptr;
    }
    std::vector<int> hints;
    std::vector<std::u16string> warnings;
    bool hadList = false;
};

void AddEntry(CTalveroDoc& doc, unsigned index, std::u16string_view type, std::u16string_view id,
              std::u16string_view number = u"") {
    ASSERT_TRUE(doc.Set(u"id_type", index, type));
    ASSERT_TRUE(doc.Set(u"id", index, id));
    ASSERT_TRUE(doc.Set(u"number", index, number));
}

TEST(RenderSettings, MainBlockOrderAndTheFileOnlyLines) {
    CTalveroDoc doc;
    const auto file = Render(doc, true);
    const auto radio = Render(doc, false);
    EXPECT_EQ(file.front(), u"def_id_type_01=all");
    EXPECT_TRUE(file.back().starts_with(u"cs_file_info_name="));
    EXPECT_EQ(file.back(), u"cs_file_info_name= : ");
    EXPECT_EQ(radio.back(), u"eap_cert_passwd_04=");
    // Information, line and held-only settings are never rendered.
    for (std::u16string_view never : {u"iccid=", u"tenant=", u"tot_01=", u"rental_01=", u"prov_pass_01="}) {
        EXPECT_EQ(CountPrefix(file, never), 0u);
        EXPECT_EQ(CountPrefix(radio, never), 0u);
    }
    // The access password has no suffix; scrambled in the file, plain to the radio.
    EXPECT_TRUE(Has(radio, u"access_pass="));
    EXPECT_EQ(CountPrefix(file, u"access_pass="), 1u);
    EXPECT_FALSE(Has(file, u"access_pass="));
    // An unused ID list renders nothing.
    EXPECT_EQ(CountPrefix(file, u"name_01_"), 0u);
}

TEST(RenderSettings, WlanOnlyRendersTheWlanBlockAlone) {
    CTalveroDoc doc;
    AddEntry(doc, 0, u"indi", u"1");
    doc.m_wlanOnly = 1;
    for (bool forFile : {true, false}) {
        const auto lines = Render(doc, forFile);
        EXPECT_EQ(lines.front(), u"wlan_scan_01=11g_w52w53w56");
        EXPECT_EQ(CountPrefix(lines, u"name_01_"), 0u);
        EXPECT_EQ(CountPrefix(lines, u"def_id"), 0u);
    }
}

TEST(RenderSettings, RadioFormDropsDuplicateAndEmptyPhoneEntries) {
    CTalveroDoc doc;
    AddEntry(doc, 3, u"indi", u"00012");
    AddEntry(doc, 8, u"indi", u"00012");
    AddEntry(doc, 10, u"group", u"00033");
    AddEntry(doc, 11, u"tel", u"00001", u"");
    AddEntry(doc, 12, u"tel", u"00002", u"");
    AddEntry(doc, 20, u"tel", u"00003", u"0123");
    AddEntry(doc, 21, u"indi", u"00033");  // same number, other type: not a duplicate
    const auto file = Render(doc, true);
    const auto radio = Render(doc, false);
    EXPECT_EQ(CountPrefix(file, u"id_type_01_"), 7u);
    EXPECT_TRUE(Has(file, u"id_type_01_09=indi"));
    EXPECT_TRUE(Has(file, u"id_type_01_12=tel"));
    EXPECT_FALSE(Has(radio, u"id_type_01_09=indi"));
    EXPECT_FALSE(Has(radio, u"id_type_01_12=tel"));
    EXPECT_EQ(CountPrefix(radio, u"id_type_01_"), 4u);
    // Six lines per entry, keyed by the entry's own number, in field order.
    const auto at = std::find(file.begin(), file.end(), u"name_01_04=00001");
    ASSERT_NE(at, file.end());
    EXPECT_EQ(*(at + 1), u"id_type_01_04=indi");
    EXPECT_EQ(*(at + 5), u"id_select_01_04=on");

    unsigned index = 99;
    EXPECT_FALSE(doc.FindDuplicateIdEntry(index));
    EXPECT_EQ(index, 8u);
    doc.ClearIdEntry(8);
    EXPECT_TRUE(doc.FindDuplicateIdEntry(index));
    AddEntry(doc, 30, u"user_group", u"00033");  // a group and a user group share identifiers
    EXPECT_FALSE(doc.FindDuplicateIdEntry(index));
    EXPECT_EQ(index, 30u);
}

TEST(RenderSettings, AllTargetsAndBackgroundIntervalInTheRadioForm) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"def_id", u"00005"));
    ASSERT_EQ(doc.Get(u"def_id_type"), u"all");
    EXPECT_TRUE(Has(Render(doc, false), u"def_id_01=0"));
    EXPECT_TRUE(Has(Render(doc, true), u"def_id_01=00005"));
    EXPECT_TRUE(Has(Render(doc, false), u"sub_def_id_01=0"));
    ASSERT_TRUE(doc.Set(u"def_id_type", u"group"));
    EXPECT_TRUE(Has(Render(doc, false), u"def_id_01=00005"));

    EXPECT_TRUE(Has(Render(doc, false), u"bg_interval_01=180"));
    EXPECT_EQ(CountPrefix(Render(doc, false), u"bg_interval_sw_01="), 0u);
    ASSERT_TRUE(doc.Set(u"bg_interval_sw", u"off"));
    EXPECT_TRUE(Has(Render(doc, false), u"bg_interval_01=0"));
    const auto file = Render(doc, true);
    const auto sw = std::find(file.begin(), file.end(), u"bg_interval_sw_01=off");
    ASSERT_NE(sw, file.end());
    EXPECT_EQ(*(sw + 1), u"bg_interval_01=180");
}

TEST(RenderSettings, WlanProfileAddressesAndKeys) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 0, u"a"));
    ASSERT_TRUE(doc.Set(u"wlan_sec", 0, u"wpa2psk"));
    ASSERT_TRUE(doc.Set(u"wlan_psk", 0, u"pre-shared"));
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 1, u"b"));
    ASSERT_TRUE(doc.Set(u"wlan_dhcp", 1, u"off"));
    ASSERT_TRUE(doc.Set(u"wlan_sec", 1, u"8021x"));
    ASSERT_TRUE(doc.Set(u"wlan_key", 1, u"abcdefghijklm"));
    const auto radio = Render(doc, false);
    EXPECT_EQ(CountPrefix(radio, u"wlan_ipaddr_01="), 0u);  // DHCP on
    EXPECT_TRUE(Has(radio, u"wlan_ipaddr_02="));
    EXPECT_TRUE(Has(radio, u"wlan_key_01=pre-shared"));
    EXPECT_TRUE(Has(radio, u"wlan_key_02=abcdefghijklm"));
    EXPECT_EQ(CountPrefix(radio, u"wlan_psk_"), 0u);
    const auto file = Render(doc, true);
    EXPECT_EQ(CountPrefix(file, u"wlan_psk_"), 10u);
    EXPECT_EQ(CountPrefix(file, u"wlan_key_"), 10u);
    EXPECT_FALSE(Has(file, u"wlan_key_02=abcdefghijklm"));  // scrambled
}

TEST(LoadSettings, RoundTripsTheLargestConfigurationInBothForms) {
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    for (bool forFile : {true, false}) {
        CTalveroDoc back;
        EXPECT_TRUE(back.LoadSettings(MapOf(Render(doc, forFile)), forFile));
        EXPECT_EQ(Render(back, false), Render(doc, false)) << (forFile ? "file" : "radio");
    }
}

TEST(LoadSettings, CutsWideTextsWithOneWarningEach) {
    ClearLanguageTexts();
    SetLanguageText(2155, u"ID list %u: \"%s\" -> \"%s\"");
    SetLanguageText(2158, u"Display name: \"%s\" -> \"%s\"");
    const std::u16string wide16(16, u'\u3042');  // width 32: fits
    CIniData map;
    map.LoadText(u"name_01_07=" + std::u16string(33, u'n') + u"\r\nid_type_01_07=indi\r\nmsg_01_02=" +
                 wide16 + u"\r\nname_01_08=" + wide16 + u"\u3044\r\ndisp_name_01=" +
                 std::u16string(32, u'd'));
    CTalveroDoc doc;
    Recorder rec;
    doc.AddObserver(&rec);
    EXPECT_TRUE(doc.LoadSettings(map, true));
    EXPECT_EQ(doc.Get(u"name", 6), std::u16string(32, u'n'));
    EXPECT_EQ(doc.Get(u"name", 7), wide16);
    EXPECT_EQ(doc.Get(u"msg", 1), wide16);
    EXPECT_EQ(doc.Get(u"disp_name"), std::u16string(31, u'd'));
    ASSERT_EQ(rec.hints, std::vector<int>{kHintLoaded});
    ASSERT_EQ(rec.warnings.size(), 3u);
    EXPECT_EQ(rec.warnings[0],
              u"ID list 7: \"" + std::u16string(33, u'n') + u"\" -> \"" + std::u16string(32, u'n') + u"\"");
    EXPECT_EQ(rec.warnings[1], u"ID list 8: \"" + wide16 + u"\u3044\" -> \"" + wide16 + u"\"");
    EXPECT_TRUE(rec.warnings[2].starts_with(u"Display name: "));
    ClearLanguageTexts();
}

TEST(LoadSettings, RefusedIdEntryIsClearedAndReported) {
    CIniData map;
    map.LoadText(
        u"id_type_01_03=indi\r\nid_01_03=70000\r\nname_01_03=x\r\nid_type_01_04=group\r\nid_01_04=00004");
    CTalveroDoc doc;
    EXPECT_FALSE(doc.LoadSettings(map, true));
    EXPECT_EQ(doc.Get(u"id_type", 2), u"");
    EXPECT_EQ(doc.Get(u"name", 2), u"00001");
    EXPECT_EQ(doc.Get(u"id_type", 3), u"group");  // loading went on
    EXPECT_EQ(doc.Get(u"id", 3), u"00004");
}

TEST(LoadSettings, RadioFormRules) {
    CIniData map;
    map.LoadText(
        u"bg_interval_01=0\r\nwlan_ssid_01=a\r\nwlan_sec_01=wpa2psk\r\nwlan_enc_01=aes\r\nwlan_key_01=secret-"
        u"psk\r\n"
        u"wlan_ssid_02=b\r\nwlan_sec_02=8021x\r\nwlan_enc_02=wep64\r\nwlan_key_02=abcde\r\n"
        u"iccid=8981\r\nppp_auth_type_02=chap\r\naccess_pass=pw");
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"dns_port", u"99"));
    EXPECT_TRUE(doc.LoadSettings(map, false));
    EXPECT_EQ(doc.Get(u"bg_interval"), u"180");
    EXPECT_EQ(doc.Get(u"bg_interval_sw"), u"off");
    EXPECT_EQ(doc.Get(u"wlan_psk", 0), u"secret-psk");
    EXPECT_EQ(doc.Get(u"wlan_key", 0), u"");
    EXPECT_EQ(doc.Get(u"wlan_key", 1), u"abcde");
    EXPECT_EQ(doc.Get(u"iccid"), u"8981");
    EXPECT_EQ(doc.Get(u"dns_port"), u"");          // missing information keys become empty
    EXPECT_EQ(doc.Get(u"tenant"), u"1");           // ... unless the rule refuses the empty text
    EXPECT_EQ(doc.Get(u"ppp_auth_type"), u"pap");  // the authentication types keep theirs
    EXPECT_EQ(doc.Get(u"ppp_auth_type_02"), u"chap");
    EXPECT_EQ(doc.Get(u"access_pass"), u"pw");

    CIniData bg;
    bg.LoadText(u"bg_interval_01=600");
    EXPECT_TRUE(doc.LoadSettings(bg, false));
    EXPECT_EQ(doc.Get(u"bg_interval"), u"600");
    EXPECT_EQ(doc.Get(u"bg_interval_sw"), u"on");

    // From the radio a refused entry is cleared and the rest loads.
    CIniData ids;
    ids.LoadText(u"id_type_01_01=indi\r\nid_01_01=0\r\nid_type_01_02=indi\r\nid_01_02=2");
    EXPECT_FALSE(doc.LoadSettings(ids, false));
    EXPECT_EQ(doc.Get(u"id_type", 0), u"");
    EXPECT_EQ(doc.Get(u"id", 1), u"00002");
}

TEST(LoadSettings, FileSecretsAreUnscrambled) {
    CIniData map;
    map.LoadText(u"access_pass=" + EncodeStoredSecret(u"1234", 16) + u"\r\neap_passwd_03=" +
                 EncodeStoredSecret(u"inner", 63) + u"\r\nwlan_key_02=ABC");
    CTalveroDoc doc;
    EXPECT_TRUE(doc.LoadSettings(map, true));
    EXPECT_EQ(doc.Get(u"access_pass"), u"1234");
    EXPECT_EQ(doc.Get(u"eap_passwd", 2), u"inner");
    EXPECT_EQ(doc.Get(u"wlan_key", 1), u"");  // odd length: empty

    CIniData bad;
    bad.LoadText(u"access_pass=ABC");
    ASSERT_TRUE(doc.Set(u"access_pass", u"old"));
    EXPECT_TRUE(doc.LoadSettings(bad, true));
    EXPECT_EQ(doc.Get(u"access_pass"), u"");
}

}  // namespace
