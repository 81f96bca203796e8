// The up-front check of a fleet file: every fault reported with its line, nothing accepted from a
// file that has one, and the decodings the file may come in.
#include <gtest/gtest.h>

#include "../certs/cert_fixtures.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"
#include "fleet/fleet_file.h"
#include "platform/unicode.h"
#include "temp_dir.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

class FleetFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A refused value is reported in the words of its page.
        ClearLanguageTexts();
        SelectLanguageFiles(std::string(TALVERO_BIN_DIR) + "/talvero", 0x0409, {});
        CTalveroDoc templ;
        ASSERT_TRUE(templ.Set(u"disp_item", u"name"));
        templatePath = dir.Write("template.ini", "");
        ASSERT_TRUE(SaveConfigurationFile(templ, templatePath).ok());
    }
    FleetCheck Check(const std::string& bytes) {
        return CheckFleet(templatePath, dir.Write("fleet.csv", bytes));
    }

    TempDir dir;
    std::string templatePath;
};

std::string Utf16Le(const std::string& utf8, bool bom = true) {
    std::string out = bom ? "\xFF\xFE" : "";
    for (char16_t u : Utf8ToUtf16(utf8)) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    }
    return out;
}

TEST_F(FleetFileTest, EachBadFileIsRefusedWithItsLine) {
    const struct {
        const char* what;
        std::string bytes;
        unsigned line;
        FleetProblemKind kind;
        std::string says;
    } cases[] = {
        {"unknown key", "radio,disp_name_01,volume_knob\n*,A,1\n", 1, FleetProblemKind::UnknownColumn,
         "'volume_knob' names no setting"},
        {"a key never written to radios", "radio,iccid\n*,1\n", 1, FleetProblemKind::UnknownColumn, "iccid"},
        {"refused value", "radio,def_id_01\n*,00012\n\n*,70000\n", 4, FleetProblemKind::RefusedValue,
         "def_id_01: value '70000' refused (Enter an ID from 1 to 60000.)"},
        {"refused choice", "radio,disp_item_01\r\n*,both\r\n", 2, FleetProblemKind::RefusedValue,
         "not one of the choices of this setting"},
        {"duplicate ICCID", "radio,disp_name_01\n8981,A\n*,B\n8981,C\n", 4, FleetProblemKind::DuplicateRadio,
         "already named on line 2"},
        {"missing certificate file", "radio,cert_01\n*,no-such.pem\n", 2, FleetProblemKind::Certificate,
         "file not found"},
        {"no radio cell", "radio,disp_name_01\n,A\n", 2, FleetProblemKind::NoRadio, "radio"},
        {"more fields than columns", "radio,disp_name_01\n*,A,B\n", 2, FleetProblemKind::ExtraFields,
         "more fields"},
        {"no radio column", "disp_name_01\nA\n", 1, FleetProblemKind::NoRadioColumn, "'radio'"},
        {"column twice", "radio,disp_name_01,disp_name_01\n*,A,B\n", 1, FleetProblemKind::RepeatedColumn,
         "twice"},
        {"empty file", "", 1, FleetProblemKind::Empty, "no header"},
        {"header only", "radio,disp_name_01\r\n", 1, FleetProblemKind::Empty, "no row"},
        {"Latin-1 text", "radio,disp_name_01\n*,Caf\xE9\n", 2, FleetProblemKind::Encoding, "not UTF-8"},
        {"UTF-16 without byte-order mark", Utf16Le("radio\n*\n", false), 1, FleetProblemKind::Encoding,
         "UTF-16"},
        {"UTF-16 cut in half", Utf16Le("radio\n*\n") + "x", 1, FleetProblemKind::Encoding, "UTF-16"},
        {"overlong UTF-8", "radio,disp_name_01\n*,\xC0\xAF\n", 2, FleetProblemKind::Encoding, "not UTF-8"},
        {"a formula as ICCID", "radio\n=cmd|' /C calc'!A0\n", 2, FleetProblemKind::BadRadio,
         "'=cmd|' /C calc'!A0' is not an ICCID (1 to 22 digits)"},
        {"a letter in an ICCID", "radio\n898110000000000001F\n", 2, FleetProblemKind::BadRadio,
         "not an ICCID"},
        {"23 digits", "radio\n" + std::string(23, '8') + "\n", 2, FleetProblemKind::BadRadio, "not an ICCID"},
        {"terminal escapes in an ICCID", "radio\n89\x1B[2J\n", 2, FleetProblemKind::BadRadio, "'89\\e[2J'"},
        {"a refused value is repeated cut", "radio,disp_name_01\n*," + std::string(500, 'B') + "\n", 2,
         FleetProblemKind::RefusedValue, "value '" + std::string(64, 'B') + "\u2026' refused"},
        {"a line of 2 MB", "radio,disp_name_01\n*," + std::string(2u << 20, 'C') + "\n", 2,
         FleetProblemKind::LongLine, "longer than 1 MB"},
    };
    for (const auto& c : cases) {
        const FleetCheck check = Check(c.bytes);
        ASSERT_FALSE(check.ok()) << c.what;
        EXPECT_TRUE(check.plan.rows.empty()) << c.what;
        const FleetProblem& p = check.problems.front();
        EXPECT_EQ(p.line, c.line) << c.what;
        EXPECT_EQ(p.kind, c.kind) << c.what;
        EXPECT_NE(DescribeFleetProblem(p).find(c.says), std::string::npos)
            << c.what << ": " << DescribeFleetProblem(p);
        EXPECT_LT(DescribeFleetProblem(p).size(), 400u) << c.what;
    }
}

TEST_F(FleetFileTest, EveryProblemOfAFileIsListed) {
    const FleetCheck check = Check("radio,def_id_01\n*,0\n*,5\n*,abc\n");
    ASSERT_EQ(check.problems.size(), 2u);
    EXPECT_EQ(check.problems[0].line, 2u);
    EXPECT_EQ(check.problems[1].line, 4u);
}

TEST_F(FleetFileTest, AcceptedFilesInEachEncodingGiveTheSameRows) {
    const std::string text = "radio,disp_name_01,def_id_01\r\n8981,東京駅,00007\r\n*,,12\r\n";
    for (const std::string& bytes :
         {text, "\xEF\xBB\xBF" + text, Utf16Le(text),
          std::string("radio,disp_name_01,def_id_01\n8981,東京駅,00007\n*,,12\n")}) {
        const FleetCheck check = Check(bytes);
        ASSERT_TRUE(check.ok()) << DescribeFleetProblem(check.problems[0]);
        ASSERT_EQ(check.plan.rows.size(), 2u);
        const FleetRow& first = check.plan.rows[0];
        EXPECT_EQ(first.line, 2u);
        EXPECT_EQ(first.radio, u"8981");
        ASSERT_EQ(first.values.size(), 2u);
        // An empty cell keeps the template's value: the second row sets only the ID.
        EXPECT_TRUE(check.plan.rows[1].AnyRadio());
        ASSERT_EQ(check.plan.rows[1].values.size(), 1u);

        CTalveroDoc doc;
        FleetProblem problem;
        ASSERT_TRUE(ApplyFleetRow(doc, check.plan.templateMap, first, problem));
        EXPECT_EQ(doc.Get(u"disp_name"), u"東京駅");
        EXPECT_EQ(doc.Get(u"def_id"), u"00007");
        EXPECT_EQ(doc.Get(u"disp_item"), u"name");  // from the template
    }
}

// Each row is checked against the template, never against what the row before it left behind,
// also where one setter changes others (the WLAN security chain sets the encryption and the key).
TEST_F(FleetFileTest, EachRowStartsFromTheTemplate) {
    const std::string csv =
        "radio,wlan_ssid_01,wlan_sec_01,wlan_key_01\n"
        "1,net,wpa_wpa2psk,\n"     // accepted: WPA/WPA2 sets AES
        "2,,,abc\n"                // accepted: the template's encryption "none" takes any key
        "3,net,wpa_wpa2psk,abc\n"  // refused: with AES a key takes 8 to 64 characters
        "*,,,abc\n";               // accepted again
    for (bool keepRows : {true, false}) {
        const FleetCheck check = CheckFleet(templatePath, dir.Write("wlan.csv", csv), keepRows);
        ASSERT_EQ(check.problems.size(), 1u) << DescribeFleetProblem(check.problems[0]);
        EXPECT_EQ(check.problems[0].line, 4u);
        EXPECT_EQ(check.problems[0].kind, FleetProblemKind::RefusedValue);
        EXPECT_EQ(check.rowCount, 3u);
        EXPECT_EQ(check.anyRadioRows, 1u);
        EXPECT_TRUE(check.plan.rows.empty());
    }
    const FleetCheck good =
        CheckFleet(templatePath, dir.Write("wlan.csv", "radio,wlan_sec_01\n1,wpa_wpa2psk\n*,open\n*,\n"));
    ASSERT_TRUE(good.ok()) << DescribeFleetProblem(good.problems[0]);
    EXPECT_EQ(good.plan.rows.size(), 3u);
    const FleetCheck counted = CheckFleet(
        templatePath, dir.Write("wlan.csv", "radio,wlan_sec_01\n1,wpa_wpa2psk\n*,open\n*,\n"), false);
    ASSERT_TRUE(counted.ok());
    EXPECT_TRUE(counted.plan.rows.empty());
    EXPECT_EQ(counted.rowCount, 3u);
    EXPECT_EQ(counted.anyRadioRows, 2u);
}

TEST_F(FleetFileTest, CertificatesAreImportedWithTheirPasswords) {
    static CertFixtures certs;
    const std::string csv = "radio,eap_cert_format_01,cert_01,cert_password_01\n*,p12," + certs.p12Password +
                            "," + CertFixtures::kPassword + "\n*,p12," + certs.p12Password + ",wrong\n";
    const FleetCheck check = Check(csv);
    ASSERT_EQ(check.problems.size(), 1u);
    EXPECT_EQ(check.problems[0].line, 3u);
    EXPECT_NE(DescribeFleetProblem(check.problems[0]).find("wrong password"), std::string::npos);

    // A relative path names a neighbour of the fleet file, wherever the run was started.
    dir.Write("client.pem", TempDir::ReadBytes(certs.pem));
    const FleetCheck good = Check("radio,eap_cert_format_02,cert_02\n*,pem,client.pem\n");
    ASSERT_TRUE(good.ok()) << DescribeFleetProblem(good.problems[0]);
    CTalveroDoc doc;
    FleetProblem problem;
    ASSERT_TRUE(ApplyFleetRow(doc, good.plan.templateMap, good.plan.rows[0], problem));
    EXPECT_NE(doc.Get(u"eap_cert_cert", 1).find(u"CERTIFICATE"), std::u16string::npos);
}

TEST_F(FleetFileTest, AnUnreadableTemplateIsRefusedFirst) {
    const FleetCheck check = CheckFleet(dir.Path() + "/none.ini", dir.Write("fleet.csv", "radio\n*\n"));
    ASSERT_EQ(check.problems.size(), 1u);
    EXPECT_EQ(check.problems[0].kind, FleetProblemKind::Template);
}

}  // namespace
