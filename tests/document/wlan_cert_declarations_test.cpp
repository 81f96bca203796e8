// The WLAN, certificate and setting-mode pages as core declarations: every row names a setting of
// the catalogue with its label and help, every profile's and slot's rows edit that member, and the
// pre-shared key's rule follows the encryption the document holds now.
#include <gtest/gtest.h>

#include <set>

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/cert_page.h"
#include "pages/page_declaration.h"
#include "pages/set_mode_page.h"
#include "pages/wlan_page.h"

namespace {

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

TEST(WlanCertDeclarations, EveryRowNamesACatalogueSetting) {
    for (uint32_t node : {set_mode_page::kNodeId, wlan_page::kNodeId, cert_page::kNodeId}) {
        const PageDeclaration* page = FindPageDeclaration(node);
        ASSERT_NE(page, nullptr) << node;
        std::set<std::pair<std::u16string, unsigned>> edited;
        for (const PageRow& row : page->rows) {
            if (row.kind == PageRow::Kind::kSection) {
                continue;
            }
            EXPECT_TRUE(FindSettingDef(row.key).has_value()) << Narrow(row.key);
            EXPECT_NE(row.labelId, 0u) << Narrow(row.key);
            EXPECT_FALSE(row.helpPage.empty()) << Narrow(row.key);
            EXPECT_TRUE(edited.insert({row.key, row.member}).second) << Narrow(row.key) << " twice";
            std::set<std::u16string> values;
            for (const PageChoice& choice : row.choices) {
                EXPECT_TRUE(values.insert(choice.value).second)
                    << Narrow(row.key) << ": " << Narrow(choice.value);
            }
        }
    }
    // Each permission is one row, its value the two flags packed: 0 to 3.
    const PageDeclaration* setMode = FindPageDeclaration(set_mode_page::kNodeId);
    EXPECT_EQ(setMode->rows.size(), 81u);
    EXPECT_EQ(setMode->rows.back().choices.size(), 4u);
}

TEST(WlanCertDeclarations, EachMembersRowsEditThatMember) {
    const PageDeclaration* wlan = FindPageDeclaration(wlan_page::kNodeId);
    ASSERT_NE(wlan, nullptr);
    ASSERT_EQ(wlan->rows.size(), static_cast<size_t>(wlan_page::kRows));
    const struct {
        wlan_page::ProfileRow offset;
        std::u16string_view key;
    } fields[] = {{wlan_page::kDhcp, u"wlan_dhcp"},
                  {wlan_page::kIpAddr, u"wlan_ipaddr"},
                  {wlan_page::kDns2, u"wlan_dns2"},
                  {wlan_page::kSsid, u"wlan_ssid"},
                  {wlan_page::kEncryption, u"wlan_enc"},
                  {wlan_page::kPsk, u"wlan_psk"},
                  {wlan_page::kEapType, u"eap_type"},
                  {wlan_page::kEapPassword, u"eap_passwd"},
                  {wlan_page::kEapCertIndex, u"eap_cert_cert_idx"}};
    for (unsigned p = 0; p < kProfiles; ++p) {
        for (const auto& f : fields) {
            const PageRow& row = wlan->rows[wlan_page::Row(p, f.offset)];
            EXPECT_EQ(Narrow(row.key), Narrow(f.key)) << "profile " << p;
            EXPECT_EQ(row.member, p) << Narrow(f.key);
        }
    }
    const PageDeclaration* cert = FindPageDeclaration(cert_page::kNodeId);
    ASSERT_NE(cert, nullptr);
    ASSERT_EQ(cert->rows.size(), static_cast<size_t>(cert_page::SectionRow(kCertSlots)));
    for (unsigned slot = 0; slot < kCertSlots; ++slot) {
        EXPECT_EQ(Narrow(cert->rows[cert_page::NameRow(slot)].key), "eap_cert_name");
        EXPECT_EQ(cert->rows[cert_page::NameRow(slot)].member, slot);
        EXPECT_EQ(cert->rows[cert_page::CertRow(slot)].member, slot);
        // The certificate comes in through an import, never as a typed value.
        EXPECT_TRUE(cert->rows[cert_page::CertRow(slot)].readOnly);
    }
}

TEST(WlanCertDeclarations, PreSharedKeyRuleFollowsTheEncryption) {
    constexpr unsigned p = 3;
    const PageRow& psk = FindPageDeclaration(wlan_page::kNodeId)->rows[wlan_page::Row(p, wlan_page::kPsk)];
    const struct {
        std::u16string_view security;
        std::u16string_view encryption;
        int maxChars;
    } cases[] = {{u"8021x", u"wep64", 10},
                 {u"8021x", u"wep128", 26},
                 {u"wpa_wpa2psk", u"tkip_aes", 64},
                 {u"wpa2psk", u"aes", 64},
                 {u"open", u"none", 0}};
    for (const auto& c : cases) {
        CTalveroDoc doc;
        doc.OnNewDocument();
        ASSERT_TRUE(doc.Set(u"wlan_ssid", p, u"site"));
        ASSERT_TRUE(doc.Set(u"wlan_sec", p, c.security)) << Narrow(c.security);
        ASSERT_TRUE(doc.Set(u"wlan_enc", p, c.encryption)) << Narrow(c.encryption);
        const TextRowRule rule = RuleNow(psk, doc, p);
        EXPECT_EQ(rule.maxChars, c.maxChars) << Narrow(c.encryption);
        EXPECT_TRUE(rule.asciiOnly);
        // Another profile's encryption does not change this profile's rule.
        const TextRowRule other =
            RuleNow(FindPageDeclaration(wlan_page::kNodeId)->rows[wlan_page::Row(p + 1, wlan_page::kPsk)],
                    doc, p + 1);
        EXPECT_EQ(other.maxChars, 0);
        // The encryption row offers what the security allows, the stored encryption among them.
        const PageRow& enc =
            FindPageDeclaration(wlan_page::kNodeId)->rows[wlan_page::Row(p, wlan_page::kEncryption)];
        bool listed = false;
        for (const PageChoice& choice : enc.listChoices(doc)) {
            listed = listed || choice.value == c.encryption;
        }
        EXPECT_TRUE(listed) << Narrow(c.encryption);
    }
}

}  // namespace
