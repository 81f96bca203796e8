#include "pages/wlan_page.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "text/language_texts.h"

namespace wlan_page {

namespace {

constexpr uint32_t kTitle = 10000, kUnitSection = 10006, kAddressSectionText = 10032,
                   kNetworkSectionText = 10040, kEapSectionText = 10060;
constexpr uint32_t kPskRefused = 10151;
constexpr uint32_t kFirstChannelText = 10095;
constexpr int kRoamSteps = 100;
constexpr int kSsidChars = 32, kEapChars = 63;

// Every encryption a profile can hold, with its text.
const std::vector<PageChoice>& AllEncryptions() {
    static const std::vector<PageChoice> all = {
        {u"none", 10050}, {u"wep64", 10051}, {u"wep128", 10052},   {u"wep152", 10053},
        {u"tkip", 10054}, {u"aes", 10055},   {u"tkip_aes", 10056},
    };
    return all;
}

std::vector<PageChoice> ScanChoices() {
    // In the order the radio's own menu lists the bands.
    return {{u"11g", 10120},        {u"w52", 10121},       {u"w53", 10122},          {u"w56", 10123},
            {u"11g_w52", 10124},    {u"11g_w53", 10125},   {u"11g_w56", 10126},      {u"w52w53", 10128},
            {u"w52w56", 10129},     {u"w53w56", 10130},    {u"11g_w52w53", 10131},   {u"11g_w52w56", 10132},
            {u"11g_w53w56", 10127}, {u"w52w53w56", 10133}, {u"11g_w52w53w56", 10134}};
}

std::vector<PageChoice> ChannelChoices() {
    std::vector<PageChoice> choices = {{u"auto_1", 10093}, {u"auto_2", 10094}};
    for (int ch = 1; ch <= kChannels; ++ch) {
        choices.push_back({DecimalText(ch), kFirstChannelText + static_cast<uint32_t>(ch - 1)});
    }
    choices.push_back({u"custom", kTextCustomChannel});
    return choices;
}

// The roaming threshold is stored as a positive number and shown as the negative level it is.
std::vector<PageChoice> RoamChoices() {
    std::vector<PageChoice> choices;
    for (int n = 1; n <= kRoamSteps; ++n) {
        choices.push_back({DecimalText(n), 0, u"-" + DecimalText(n)});
    }
    return choices;
}

PageRow Printable(PageRow row, int maxChars) {
    row.adjust = [maxChars](TextRowRule& rule) { rule = PrintableRule(maxChars); };
    return row;
}

template <class Condition>
PageRow EnabledWhen(PageRow row, Condition condition) {
    row.enabledWhen = [condition](const CTalveroDoc& doc, int) { return condition(doc); };
    return row;
}

bool HasSsid(const CTalveroDoc& doc, unsigned p) {
    return !doc.Get(u"wlan_ssid", p).empty();
}

void AddProfileRows(std::vector<PageRow>& rows, unsigned p) {
    auto member = [p](PageRow row) {
        row.member = p;
        return row;
    };
    auto addressesTyped = [p](const CTalveroDoc& doc) { return doc.Get(u"wlan_dhcp", p) != u"on"; };
    auto named = [p](const CTalveroDoc& doc) { return HasSsid(doc, p); };
    auto withKey = [p](const CTalveroDoc& doc) {
        return HasSsid(doc, p) && IsPskType(doc.Get(u"wlan_sec", p));
    };
    auto dot1x = [p](const CTalveroDoc& doc) { return IsDot1x(doc, p); };
    auto withPassword = [p](const CTalveroDoc& doc) {
        return IsDot1x(doc, p) && HasEapPassword(doc.Get(u"eap_type", p));
    };

    rows.push_back(member(SectionRow(kAddressSectionText)));
    rows.push_back(member(ChoiceRow(10033, u"wlan_dhcp", {}, OffOnChoices())));
    // The addresses follow the catalogue's address rule; each has its own refusal.
    const struct {
        uint32_t label;
        const char16_t* key;
        uint32_t refusal;
    } addresses[] = {{10034, u"wlan_ipaddr", 4020},
                     {10035, u"wlan_subnet", 4021},
                     {10036, u"wlan_def_gw", 4022},
                     {10037, u"wlan_dns1", 4023},
                     {10038, u"wlan_dns2", 4023}};
    for (const auto& a : addresses) {
        rows.push_back(member(EnabledWhen(TextRow(a.label, a.key, {}, a.refusal), addressesTyped)));
    }

    rows.push_back(member(SectionRow(kNetworkSectionText)));
    PageRow ssid = Printable(TextRow(10041, u"wlan_ssid", {}), kSsidChars);
    ssid.refreshPageOnCommit = true;
    rows.push_back(member(std::move(ssid)));
    // The security setter picks an encryption and keys that suit it; the encryption setter may
    // change the key.
    PageRow security = ChoiceRow(10042, u"wlan_sec", {},
                                 {{u"open", 10012},
                                  {u"wpa3", 10024},
                                  {u"wpa2_wpa3", 10022},
                                  {u"wpa2", 10018},
                                  {u"wpa_wpa2", 10019},
                                  {u"wpa3sae", 10025},
                                  {u"wpa2_wpa3sae", 10023},
                                  {u"wpa2psk", 10015},
                                  {u"wpa_wpa2psk", 10016}});
    // Security types the radio knows but the combo does not offer; a configuration that holds
    // one shows it.
    security.shownOnly = {{u"open_shared", 10013}, {u"8021x", 10017}, {u"owe", 10021}};
    security.refreshPageOnCommit = true;
    rows.push_back(member(EnabledWhen(std::move(security), named)));
    PageRow encryption = DocumentChoiceRow(
        10043, u"wlan_enc", {},
        [p](const CTalveroDoc& doc) { return EncryptionChoices(doc.Get(u"wlan_sec", p)); },
        [](const CTalveroDoc&, const std::u16string& value) {
            for (const PageChoice& choice : AllEncryptions()) {
                if (choice.value == value) {
                    return GetLanguageText(choice.textId);
                }
            }
            return std::u16string();
        });
    encryption.refreshPageOnCommit = true;
    rows.push_back(member(EnabledWhen(std::move(encryption), named)));
    PageRow psk = TextRow(10031, u"wlan_psk", {}, kPskRefused);
    psk.kind = PageRow::Kind::kPassword;
    psk.adjust = [](TextRowRule& rule) { rule = PrintableRule(0); };
    psk.ruleNow = [](const CTalveroDoc& doc, unsigned index) {
        return PrintableRule(PreSharedKeyLimit(doc.Get(u"wlan_enc", index)));
    };
    rows.push_back(member(EnabledWhen(std::move(psk), withKey)));

    rows.push_back(member(SectionRow(kEapSectionText)));
    // A new EAP type starts again from the first client certificate.
    PageRow eapType = ChoiceRow(10061, u"eap_type", {},
                                {{u"peap_mschapv2", 10062}, {u"ttls_mschapv2", 10063}, {u"tls", 10064}});
    eapType.store = [](CTalveroDoc& doc, unsigned index, const std::u16string& value) {
        if (!doc.Set(u"eap_type", index, value)) {
            return false;
        }
        doc.Set(u"eap_cert_cert_idx", index, u"1");
        return true;
    };
    eapType.refreshPageOnCommit = true;
    rows.push_back(member(EnabledWhen(std::move(eapType), dot1x)));
    rows.push_back(member(EnabledWhen(Printable(TextRow(10065, u"eap_identity", {}), kEapChars), dot1x)));
    PageRow password = Printable(TextRow(10066, u"eap_passwd", {}), kEapChars);
    password.kind = PageRow::Kind::kPassword;
    rows.push_back(member(EnabledWhen(std::move(password), withPassword)));
    rows.push_back(
        member(EnabledWhen(Printable(TextRow(10067, u"eap_outer_identity", {}), kEapChars), withPassword)));
    rows.push_back(member(
        EnabledWhen(DocumentChoiceRow(
                        10069, u"eap_cert_cert_idx", {},
                        [p](const CTalveroDoc& doc) { return CertIndexChoices(doc, p); }, CertIndexText),
                    dot1x)));
    // An empty row sets the profile apart from the next.
    rows.push_back(member(SectionRow(0)));
}

}  // namespace

bool IsOpenType(std::u16string_view sec) {
    return sec == u"open" || sec == u"open_shared";
}

bool IsMixedWpaType(std::u16string_view sec) {
    return sec == u"wpa_wpa2psk" || sec == u"wpa_wpa2";
}

bool IsPskType(std::u16string_view sec) {
    return sec == u"wpa2psk" || sec == u"wpa_wpa2psk" || sec == u"wpa3sae" || sec == u"wpa2_wpa3sae";
}

bool HasEapPassword(std::u16string_view type) {
    return type == u"peap_mschapv2" || type == u"ttls_mschapv2";
}

bool IsDot1x(const CTalveroDoc& doc, unsigned p) {
    const std::u16string& sec = doc.Get(u"wlan_sec", p);
    return HasSsid(doc, p) && !IsOpenType(sec) && !IsPskType(sec);
}

std::vector<PageChoice> EncryptionChoices(std::u16string_view sec) {
    if (IsOpenType(sec)) {
        return {{u"none", 10050}};
    }
    if (sec == u"8021x") {
        return {{u"wep64", 10051}, {u"wep128", 10052}};
    }
    if (IsMixedWpaType(sec)) {
        return {{u"aes", 10055}, {u"tkip_aes", 10056}};
    }
    return {{u"aes", 10055}};
}

int PreSharedKeyLimit(std::u16string_view enc) {
    if (enc == u"wep64") {
        return 10;
    }
    if (enc == u"wep128") {
        return 26;
    }
    if (enc == u"wep152") {
        return 32;
    }
    if (enc == u"tkip" || enc == u"aes" || enc == u"tkip_aes") {
        return 64;
    }
    return 0;
}

TextRowRule PrintableRule(int maxChars) {
    TextRowRule rule;
    rule.maxChars = maxChars;
    rule.allowedChars = PrintableAsciiChars();
    rule.asciiOnly = true;
    return rule;
}

std::vector<PageChoice> CertIndexChoices(const CTalveroDoc& doc, unsigned p) {
    std::vector<PageChoice> choices;
    if (HasEapPassword(doc.Get(u"eap_type", p))) {
        choices.push_back({u"0", kTextNoCertificate});
    }
    for (unsigned slot = 1; slot <= kCertSlots; ++slot) {
        const std::u16string index = DecimalText(slot);
        choices.push_back({index, 0, CertIndexText(doc, index)});
    }
    return choices;
}

std::u16string CertIndexText(const CTalveroDoc& doc, const std::u16string& index) {
    if (index == u"0") {
        return GetLanguageText(kTextNoCertificate);
    }
    if (index.size() == 1 && index[0] >= u'1' && index[0] <= u'0' + kCertSlots) {
        const unsigned slot = index[0] - u'0';
        return index + u" : " + doc.Get(u"eap_cert_name", slot - 1);
    }
    return {};
}

bool IsNumberedSection(const PageRow& row) {
    return row.kind == PageRow::Kind::kSection &&
           (row.labelId == kAddressSectionText || row.labelId == kNetworkSectionText);
}

}  // namespace wlan_page

PageDeclaration WlanPage() {
    using namespace wlan_page;
    std::vector<PageRow> rows = {SectionRow(kUnitSection)};
    rows.push_back(ChoiceRow(10009, u"wlan_scan", {}, ScanChoices()));
    rows.push_back(
        ChoiceRow(4205, u"wlan_power", {}, {{u"high", 10090}, {u"middle", 10091}, {u"low", 4224}}));
    PageRow channel = ChoiceRow(4204, u"wlan_ch", {}, ChannelChoices());
    channel.refreshPageOnCommit = true;
    rows.push_back(std::move(channel));
    // The custom channel list is chosen in a list of the channels, never typed.
    PageRow custom = TextRow(10010, u"wlan_ch_custom", "wlan_ch.htm");
    custom.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"wlan_ch") == u"custom"; };
    rows.push_back(std::move(custom));
    rows.push_back(ChoiceRow(10011, u"wlan_roam_rssi", {}, RoamChoices()));
    // An empty row sets the unit's rows apart from the profiles'.
    rows.push_back(SectionRow(0));
    for (unsigned p = 0; p < kProfiles; ++p) {
        AddProfileRows(rows, p);
    }
    return RowsPage(kNodeId, kTitle, std::move(rows));
}
