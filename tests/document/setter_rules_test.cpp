// The setter contract and the value rules of the catalogue, as tables of cases.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

SettingId Key(const char* key) {
    auto id = FindSettingByKey(Utf8ToUtf16(key));
    if (!id) {
        ADD_FAILURE() << "no setting for key " << key;
        return {};
    }
    return *id;
}

std::u16string U(const std::string& s) {
    return Utf8ToUtf16(s);
}

struct RuleCase {
    const char* key;
    std::string value;
    bool accepted;
    std::string stored;  // what the setting holds afterwards
};

TEST(SetterRules, EachRuleKindAcceptsRefusesAndNormalises) {
    const std::string s16(16, 'x'), s17(17, 'x'), s18(18, 'x'), s19(19, 'x');
    const std::string kana9 = "アイウエオカキクケ", kana10 = "アイウエオカキクケコ";
    const std::string kana16 = "アイウエオカキクケコサシスセソタ", kana17 = kana16 + "チ";
    const RuleCase cases[] = {
        // number, stored as %05u
        {"def_id_01", "7", true, "00007"},
        {"def_id_01", "60001", false, "00001"},
        {"def_id_01", "0", false, "00001"},
        {"def_id_01", "", false, "00001"},
        {"def_id_01", "-1", false, "00001"},
        {"def_id_01", "4294967297", false, "00001"},  // huge numbers never wrap into range
        {"def_id_01", " +12abc", true, "00012"},
        {"emer_id_01", "0", true, "00000"},
        {"emer_id_2nd_01", "0", false, "00001"},
        // number, no storage format: stored as given
        {"talk_back_time_01", "abc", true, "abc"},
        {"talk_back_time_01", "31", false, "5"},
        {"vox_attack_time_01", "2000", false, "50"},
        {"vox_attack_time_01", "1995", true, "1995"},
        {"vox_attack_time_01", "abc", true, "0"},
        // 0 or a range
        {"jitter_size_01", "10", false, "0"},
        {"jitter_size_01", "20", true, "20"},
        {"jitter_size_01", "501", false, "0"},
        {"tot_01", "5", false, "300"},
        {"tot_01", "", false, "300"},
        {"tot_01", "07", false, "300"},
        {"tot_01", "011", true, "11"},
        {"tot_01", "0", true, "0"},
        {"tot_01", "600", true, "600"},
        // empty or a port
        {"dns_port", "", true, ""},
        {"dns_port", "65536", false, "10053"},
        {"dns_port", "0080", true, "80"},
        {"tenant", "0", false, "1"},
        {"tenant", "11", false, "1"},
        {"tenant", "", false, "1"},
        // exactly "0" or a range
        {"bt_mic_gain_01", "0", true, "0"},
        {"bt_mic_gain_01", "00", false, "10"},
        {"bt_mic_gain_01", "20", true, "20"},
        {"bt_mic_gain_01", "21", false, "10"},
        {"bg_interval_01", "59", false, "180"},
        {"bg_interval_01", "3600", true, "3600"},
        {"bg_interval_01", "", false, "180"},
        {"opt_key_rx_mute_auto_time_01", "9", false, "60"},
        {"opt_key_rx_mute_auto_time_01", "0600", true, "600"},
        {"emer_lw_moni_time_01", "0", false, "60"},
        {"emer_lw_moni_time_01", "256", false, "60"},
        {"emer_mand_moni_time_01", "0", true, "0"},
        // one of
        {"rmon_time_01", "120", true, "120"},
        {"rmon_time_01", "90", false, "60"},
        {"dbg_mode_01", "0x7f", false, "0x00"},
        {"dbg_mode_01", "0x7F", true, "0x7F"},
        {"id_type_01_01", "", true, ""},
        {"id_type_01_01", "Indi", false, ""},
        {"id_type_01_500", "user_group", true, "user_group"},
        // lengths and widths
        {"all_text_01", "abcde", true, "abcde"},
        {"all_text_01", "abcdef", false, ""},
        {"startup_comment_01", s18, true, s18},
        {"startup_comment_01", s19, false, ""},
        {"access_pass", s16, true, s16},
        {"access_pass", s17, false, ""},
        {"emer_text_01", kana9, true, kana9},
        {"emer_text_01", kana10, false, ""},
        {"emer_text_01", s18, true, s18},
        {"name_01_07", kana16, true, kana16},
        {"name_01_07", kana17, false, "00001"},
        // dial numbers, counted in the code page
        {"number_01_03", "*123#", true, "*123#"},
        {"number_01_03", "+81", false, ""},
        {"number_01_03", std::string(31, '9'), true, std::string(31, '9')},
        {"number_01_03", std::string(32, '9'), false, ""},
        {"number_01_03", "１２", false, ""},
        // IPv4 addresses
        {"wlan_ipaddr_01", "192.168.001.010", true, "192.168.1.10"},
        {"wlan_ipaddr_01", "192.168.1", false, ""},
        {"wlan_ipaddr_01", "192.168.1.256", false, ""},
        {"wlan_ipaddr_01", "1.2.3.4.", false, ""},
        {"wlan_ipaddr_01", "1..2.3", false, ""},
        {"wlan_ipaddr_01", "0000000001.2.3", false, ""},
        {"wlan_dns2_10", "010.001.002.003", true, "10.1.2.3"},
        {"eap_cert_cert_idx_03", "5", false, "1"},
        // any text
        {"emer_number_01", "not validated", true, "not validated"},
    };
    for (const auto& c : cases) {
        CTalveroDoc doc;
        const SettingId id = Key(c.key);
        const std::u16string before = doc.Get(id);
        EXPECT_EQ(doc.Set(id, U(c.value)), c.accepted) << c.key << "=" << c.value;
        EXPECT_EQ(Utf16ToUtf8(doc.Get(id)), c.stored) << c.key << "=" << c.value;
        EXPECT_EQ(doc.IsModified(), c.accepted && U(c.value) != before) << c.key << "=" << c.value;
    }
}

TEST(SetterContract, EqualValueIsAcceptedWithoutChangeAndNormalisedValuesMarkModified) {
    CTalveroDoc doc;
    const SettingId defId = Key("def_id_01");
    ASSERT_TRUE(doc.Set(defId, u"7"));
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(doc.Set(defId, u"00007"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.Set(defId, u"7"));  // differs as text, so it is stored again
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.Set(defId, u"70000"));
    EXPECT_FALSE(doc.IsModified());
    // The equality check comes before the rule: a stored value the rule would refuse is kept.
    EXPECT_TRUE(doc.Set(Key("call_id"), u""));
}

TEST(SetterSideEffects, SidetoneIdListTopAndAudioRange) {
    CTalveroDoc doc;
    ASSERT_EQ(doc.Get(u"ear_ec"), u"on");
    EXPECT_TRUE(doc.Set(u"ear_sidetone", u"on"));
    EXPECT_EQ(doc.Get(u"ear_ec"), u"off");

    ASSERT_TRUE(doc.Set(u"all_call_disp", u"off"));
    EXPECT_TRUE(doc.Set(u"id_list_top", u"0"));  // already "0": still turns the all-call entry on
    EXPECT_EQ(doc.Get(u"all_call_disp"), u"on");
    ASSERT_TRUE(doc.Set(u"all_call_disp", u"off"));
    EXPECT_TRUE(doc.Set(u"id_list_top", u"5"));
    EXPECT_EQ(doc.Get(u"all_call_disp"), u"off");

    ASSERT_TRUE(doc.Set(u"audio_af_min", u"10"));
    ASSERT_TRUE(doc.Set(u"audio_af_max", u"20"));
    EXPECT_FALSE(doc.Set(u"audio_af_min", u"25"));
    EXPECT_FALSE(doc.Set(u"audio_af_max", u"5"));
    EXPECT_FALSE(doc.Set(u"audio_af_max", u"33"));
    EXPECT_TRUE(doc.Set(u"audio_af_max", u"10"));
    EXPECT_EQ(doc.Get(u"audio_af_min"), u"10");
    EXPECT_EQ(doc.Get(u"audio_af_max"), u"10");
}

TEST(ModeFlags, TwoFlagsPackedInOneValue) {
    CTalveroDoc doc;
    ASSERT_EQ(doc.Get(u"setmode_reset"), u"2");
    EXPECT_EQ(doc.Get(u"setcom_his_del"), u"3");
    EXPECT_EQ(doc.Get(u"setcom_gps_switch"), u"0");
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(doc.SetModeFlagHigh(u"setmode_reset", u"1"));  // unchanged value
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.SetModeFlagLow(u"setmode_reset", u"1"));
    EXPECT_EQ(doc.Get(u"setmode_reset"), u"3");
    EXPECT_TRUE(doc.SetModeFlagHigh(u"setmode_reset", u"0"));
    EXPECT_EQ(doc.Get(u"setmode_reset"), u"1");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Set(u"setmode_reset", u"7"));
    EXPECT_EQ(CTalveroDoc::GetModeFlagHigh(u"7"), u"0");
    EXPECT_EQ(CTalveroDoc::GetModeFlagLow(u"7"), u"0");
    EXPECT_TRUE(doc.SetModeFlagLow(u"setmode_reset", u"1"));
    EXPECT_EQ(doc.Get(u"setmode_reset"), u"1");
}

// WLAN security chain of one profile: each step sets one value and checks the profile after it.
struct WlanStep {
    const char* field;
    std::string value;
    bool accepted;
    const char* sec;
    const char* enc;
    std::string wep;
    std::string psk;
};

void RunChain(const std::vector<WlanStep>& steps, unsigned profile = 4) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"wlan_ssid", profile, u"net"));
    int n = 0;
    for (const auto& s : steps) {
        ++n;
        EXPECT_EQ(doc.Set(U(s.field), profile, U(s.value)), s.accepted) << "step " << n;
        EXPECT_EQ(Utf16ToUtf8(doc.Get(u"wlan_sec", profile)), s.sec) << "step " << n;
        EXPECT_EQ(Utf16ToUtf8(doc.Get(u"wlan_enc", profile)), s.enc) << "step " << n;
        EXPECT_EQ(Utf16ToUtf8(doc.Get(u"wlan_key", profile)), s.wep) << "step " << n;
        EXPECT_EQ(Utf16ToUtf8(doc.Get(u"wlan_psk", profile)), s.psk) << "step " << n;
    }
}

TEST(WlanChain, SecurityAndEncryptionKeepTheProfileConsistent) {
    const std::string hex64(64, 'a'), text64(64, 'z'), text63(63, 'z');
    // open → WPA2-PSK: AES and the placeholder key.
    RunChain({{"wlan_sec", "wpa2psk", true, "wpa2psk", "aes", "", "52917364"},
              {"wlan_psk", "short", false, "wpa2psk", "aes", "", "52917364"},
              {"wlan_psk", text64, false, "wpa2psk", "aes", "", "52917364"},
              {"wlan_psk", hex64, true, "wpa2psk", "aes", "", hex64},
              // to WPA2/WPA3-SAE: a 64-digit key no longer fits and becomes the placeholder
              {"wlan_sec", "wpa2_wpa3sae", true, "wpa2_wpa3sae", "aes", "", "52917364"},
              {"wlan_psk", hex64, false, "wpa2_wpa3sae", "aes", "", "52917364"},
              {"wlan_psk", text63, true, "wpa2_wpa3sae", "aes", "", text63},
              {"wlan_sec", "wpa3sae", true, "wpa3sae", "aes", "", text63},
              {"wlan_psk", text64, true, "wpa3sae", "aes", "", text64},
              // back to open: no encryption, WEP key emptied, pre-shared key kept
              {"wlan_sec", "open", true, "open", "none", "", text64}});
    // 802.1X: WEP-128 with a key of 13 zeros; then the WEP encryptions adjust the key.
    RunChain({{"wlan_sec", "8021x", true, "8021x", "wep128", "0000000000000", ""},
              {"wlan_enc", "wep64", true, "8021x", "wep64", "00000", ""},
              {"wlan_key", "abcde", true, "8021x", "wep64", "abcde", ""},
              {"wlan_key", "abcdefghij", false, "8021x", "wep64", "abcde", ""},
              {"wlan_key", "0123456789", true, "8021x", "wep64", "0123456789", ""},
              {"wlan_key", "abcdef", false, "8021x", "wep64", "0123456789", ""},
              {"wlan_enc", "wep128", true, "8021x", "wep128", "0000000000000", ""},
              {"wlan_enc", "none", true, "8021x", "none", "", ""}});
    // Emptying the SSID resets security, encryption and both keys at once.
    RunChain({{"wlan_sec", "wpa2psk", true, "wpa2psk", "aes", "", "52917364"},
              {"wlan_ssid", "", true, "open", "none", "", ""}});
}

TEST(IdList, ClearAndResetDoNotMarkModified) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"id_type", 499, u"tel"));
    ASSERT_TRUE(doc.Set(u"number", 499, u"123"));
    doc.SetModifiedFlag(false);
    doc.ClearIdEntry(499);
    EXPECT_EQ(doc.Get(u"id_type", 499), u"");
    EXPECT_EQ(doc.Get(u"number", 499), u"");
    EXPECT_EQ(doc.Get(u"name", 499), u"00001");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(SettingKey(CTalveroDoc::Id(u"name", 499)), u"name_01_500");
    EXPECT_EQ(SettingKey(CTalveroDoc::Id(u"name", 0)), u"name_01_01");
    EXPECT_THROW(CTalveroDoc::Id(u"name", 500), std::out_of_range);
    EXPECT_THROW(CTalveroDoc::Id(u"no_such_setting"), std::out_of_range);
}

// A line break in a value would come back from the file as a setting of its own, and a NUL would
// cut the rest of the configuration off: every setter refuses both, the hooked ones too.
TEST(LineBreaks, EverySetterRefusesCrLfAndNul) {
    const std::u16string nul(u"a\0b", 3);
    const char* keys[] = {"emer_number_01", "disp_name_01", "def_id_01",    "name_01_03",
                          "yomi_01_03",     "msg_01_02",    "wlan_ssid_04", "wlan_sec_04",
                          "wlan_enc_04",    "access_pass",  "iccid"};
    for (const char* key : keys) {
        for (const std::u16string& bad :
             {std::u16string(u"7\r\ntx_ban_01=on"), std::u16string(u"7\n"), std::u16string(u"\r7"), nul}) {
            CTalveroDoc doc;
            const SettingId id = Key(key);
            const std::u16string before = doc.Get(id);
            EXPECT_FALSE(doc.Set(id, bad)) << key;
            EXPECT_EQ(doc.Get(id), before) << key;
            EXPECT_FALSE(doc.IsModified()) << key;
        }
    }
}

// Text from a radio or a file that holds one is refused and said; an ID list entry with one is
// dropped whole like any entry with a refused value.
TEST(LineBreaks, LoadRefusesThemWithAWarning) {
    SetLanguageText(2161, u"not loaded: %s");
    CIniData map;
    map.SetValue(u"disp_name_01", u"a\nb");
    map.SetValue(u"emer_number_01", std::u16string(u"110\0x", 5));
    map.SetValue(u"iccid", u"89\r");
    map.SetValue(u"bg_interval_01", u"300\n");
    map.SetValue(u"id_type_01_02", u"indi");
    map.SetValue(u"id_01_02", u"7");
    map.SetValue(u"yomi_01_02", u"ｱ\nｲ");
    map.SetValue(u"tx_ban_01", u"on");
    for (const bool fromFile : {false, true}) {
        CTalveroDoc doc;
        std::vector<std::u16string> warnings;
        struct Views : IDocumentObserver {
            std::vector<std::u16string>* out;
            void OnDocumentUpdate(int, const std::vector<std::u16string>* w) override { *out = *w; }
        } views;
        views.out = &warnings;
        doc.AddObserver(&views);
        EXPECT_FALSE(doc.LoadSettings(map, fromFile));
        std::vector<std::u16string> expected = {u"not loaded: iccid", u"not loaded: yomi_01_02",
                                                u"not loaded: emer_number_01", u"not loaded: bg_interval_01",
                                                u"not loaded: disp_name_01"};
        std::sort(warnings.begin(), warnings.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(warnings, expected) << fromFile;
        EXPECT_EQ(doc.Get(u"disp_name"), u"") << fromFile;
        EXPECT_EQ(doc.Get(u"emer_number"), u"") << fromFile;
        EXPECT_EQ(doc.Get(u"bg_interval"), u"180") << fromFile;
        EXPECT_EQ(doc.Get(u"id_type", 1), u"") << "entry 2 dropped whole";
        EXPECT_EQ(doc.Get(u"tx_ban"), u"on") << "the rest is loaded";
        doc.RemoveObserver(&views);
    }
    ClearLanguageTexts();
}

}  // namespace
