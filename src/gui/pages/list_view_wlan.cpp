#include "gui/pages/list_view_wlan.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "gui/dialogs/dlg_ch_select.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/pages/page_text.h"
#include "gui/shell/user_prompts.h"

using namespace page_style;

namespace {

constexpr uint32_t kTitle = 10000, kUnitSection = 10006, kAddressSectionText = 10032,
                   kNetworkSectionText = 10040, kEapSectionText = 10060;
constexpr uint32_t kTextNoCertificate = 2505, kWarnNoCertificate = 10085, kPskRefused = 10151;
constexpr uint32_t kTextCustomChannel = 10108;
constexpr uint32_t kTextValueRefused = 2175;
const QString kDefault = QStringLiteral("default");

QString Q(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text));
}

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

// The number a text starts with ("-75" gives 75, "2 : office" gives 2); 0 when there is none.
unsigned LeadingNumber(const QString& text) {
    unsigned value = 0;
    int i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128 && value < 100000; ++i) {
        value = value * 10 + static_cast<unsigned>(text[i].unicode() - u'0');
    }
    return value;
}

struct Choice {
    const char16_t* value;
    uint32_t textId;
};

// Table "default": every value this page shows with a text.
const Choice kValueTexts[] = {
    {u"open", 10012},
    {u"open_shared", 10013},
    {u"wpa2psk", 10015},
    {u"wpa_wpa2psk", 10016},
    {u"8021x", 10017},
    {u"wpa2", 10018},
    {u"wpa_wpa2", 10019},
    {u"owe", 10021},
    {u"wpa2_wpa3", 10022},
    {u"wpa2_wpa3sae", 10023},
    {u"wpa3", 10024},
    {u"wpa3sae", 10025},
    {u"none", 10050},
    {u"wep64", 10051},
    {u"wep128", 10052},
    {u"wep152", 10053},
    {u"tkip", 10054},
    {u"aes", 10055},
    {u"tkip_aes", 10056},
    {u"peap_mschapv2", 10062},
    {u"ttls_mschapv2", 10063},
    {u"tls", 10064},
    {u"on", 2501},
    {u"off", 2500},
    {u"11g", 10120},
    {u"w52", 10121},
    {u"w53", 10122},
    {u"w56", 10123},
    {u"11g_w52", 10124},
    {u"11g_w53", 10125},
    {u"11g_w56", 10126},
    {u"11g_w53w56", 10127},
    {u"w52w53", 10128},
    {u"w52w56", 10129},
    {u"w53w56", 10130},
    {u"11g_w52w53", 10131},
    {u"11g_w52w56", 10132},
    {u"w52w53w56", 10133},
    {u"11g_w52w53w56", 10134},
    {u"high", 10090},
    {u"middle", 10091},
    {u"low", 4224},
    {u"auto_1", 10093},
    {u"auto_2", 10094},
    {u"custom", 10108},
};

const uint32_t kScanItems[] = {10120, 10121, 10122, 10123, 10124, 10125, 10126, 10128,
                               10129, 10130, 10131, 10132, 10127, 10133, 10134};
const uint32_t kSecurityItems[] = {10012, 10024, 10022, 10018, 10019, 10025, 10023, 10015, 10016};

struct UnitRow {
    int row;
    uint32_t label;
    const char16_t* key;
    const char* help;
};
const UnitRow kUnitRows[] = {
    {CListViewWlan::kScanRow, 10009, u"wlan_scan", "wlan_scan.htm"},
    {CListViewWlan::kPowerRow, 4205, u"wlan_power", "wlan_power.htm"},
    {CListViewWlan::kChannelRow, 4204, u"wlan_ch", "wlan_ch.htm"},
    {CListViewWlan::kCustomRow, 10010, u"wlan_ch_custom", "wlan_ch.htm"},
    {CListViewWlan::kRoamRow, 10011, u"wlan_roam_rssi", "wlan_roam_rssi.htm"},
};

struct ProfileField {
    CListViewWlan::ProfileRow offset;
    uint32_t label;
    const char16_t* key;
    const char* help;
    uint32_t refusal;  // message when the setter refuses a typed value
};
const ProfileField kProfileFields[] = {
    {CListViewWlan::kDhcp, 10033, u"wlan_dhcp", "wlan_dhcp.htm", 0},
    {CListViewWlan::kIpAddr, 10034, u"wlan_ipaddr", "wlan_ipaddr.htm", 4020},
    {CListViewWlan::kSubnet, 10035, u"wlan_subnet", "wlan_subnet.htm", 4021},
    {CListViewWlan::kGateway, 10036, u"wlan_def_gw", "wlan_def_gw.htm", 4022},
    {CListViewWlan::kDns1, 10037, u"wlan_dns1", "wlan_dns1.htm", 4023},
    {CListViewWlan::kDns2, 10038, u"wlan_dns2", "wlan_dns2.htm", 4023},
    {CListViewWlan::kSsid, 10041, u"wlan_ssid", "wlan_ssid.htm", 0},
    {CListViewWlan::kSecurity, 10042, u"wlan_sec", "wlan_sec.htm", 0},
    {CListViewWlan::kEncryption, 10043, u"wlan_enc", "wlan_enc.htm", 0},
    {CListViewWlan::kPsk, 10031, u"wlan_psk", "wlan_psk.htm", kPskRefused},
    {CListViewWlan::kEapType, 10061, u"eap_type", "eap_type.htm", 0},
    {CListViewWlan::kEapIdentity, 10065, u"eap_identity", "eap_identity.htm", 0},
    {CListViewWlan::kEapPassword, 10066, u"eap_passwd", "eap_passwd.htm", 0},
    {CListViewWlan::kEapOuterIdentity, 10067, u"eap_outer_identity", "eap_outer_identity.htm", 0},
    {CListViewWlan::kEapCertIndex, 10069, u"eap_cert_cert_idx", "eap_cert_cert_idx.htm", 0},
};

const ProfileField* FieldAt(int offset) {
    for (const ProfileField& f : kProfileFields) {
        if (f.offset == offset) {
            return &f;
        }
    }
    return nullptr;
}

QStringList Texts(std::initializer_list<uint32_t> ids) {
    QStringList items;
    for (uint32_t id : ids) {
        items << PageText(id);
    }
    return items;
}

// A text field of printable ASCII, as network names, keys and identities are (0: no limit).
TextRowRule PrintableRule(int maxChars) {
    TextRowRule rule;
    rule.maxChars = maxChars;
    rule.allowedChars = PrintableAsciiChars();
    rule.asciiOnly = true;
    return rule;
}

}  // namespace

CListViewWlan::CListViewWlan(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    InsertPageColumns(PageText(kTitle), {300, 400});
    for (int row = 0; row < kRows; ++row) {
        InsertItem(row, QString());
    }
    auto valueRow = [this](int row, uint32_t label, const char* help) {
        AddLabelCell(row, 0, PageText(label));
        SetInputCell(row, 1, 1, kValueText, kValueBack, kValueBorder, kDisabledText, kDisabledBack,
                     kDisabledBorder);
        SetHelpPage(row, QString::fromLatin1(help));
    };
    AddSectionRow(0, 2, PageText(kUnitSection));
    for (const UnitRow& u : kUnitRows) {
        valueRow(u.row, u.label, u.help);
    }
    for (unsigned p = 0; p < kProfiles; ++p) {
        const QString number = QString::number(p + 1);
        AddSectionRow(Row(p, kAddressSection), 2, PageText(kAddressSectionText) + number);
        AddSectionRow(Row(p, kNetworkSection), 2, PageText(kNetworkSectionText) + number);
        AddSectionRow(Row(p, kEapSection), 2, PageText(kEapSectionText));
        for (const ProfileField& f : kProfileFields) {
            valueRow(Row(p, f.offset), f.label, f.help);
        }
    }
    for (const Choice& c : kValueTexts) {
        AddValueText(Q(c.value), PageText(c.textId), kDefault);
    }
    for (int ch = 1; ch <= CDlgchSelect::kChannels; ++ch) {
        AddValueText(QString::number(ch), PageText(10095 + ch - 1), kDefault);
    }
}

// ---- refresh and rules ---------------------------------------------------------------------

void CListViewWlan::OnDocumentUpdate(int hint) {
    if (hint == 0 || hint == kHintLoaded) {
        RefreshFromDocument();
    }
}

void CListViewWlan::RefreshFromDocument() {
    ShowChoice(kScanRow, true, Doc().Get(u"wlan_scan"));
    ShowChoice(kPowerRow, true, Doc().Get(u"wlan_power"));
    ChannelRule();
    ShowInputCell(kRoamRow, 1, true, QStringLiteral("-") + Q(Doc().Get(u"wlan_roam_rssi")));
    for (unsigned p = 0; p < kProfiles; ++p) {
        AddressRule(p);
        SsidRule(p);
    }
}

void CListViewWlan::ShowChoice(int row, bool enabled, std::u16string_view value) {
    ShowInputCell(row, 1, enabled, ValueToText(Q(value), kDefault));
}

void CListViewWlan::ChannelRule() {
    const std::u16string& channel = Doc().Get(u"wlan_ch");
    ShowChoice(kChannelRow, true, channel);
    ShowInputCell(kCustomRow, 1, channel == u"custom", Q(Doc().Get(u"wlan_ch_custom")));
}

void CListViewWlan::AddressRule(unsigned p) {
    const std::u16string& dhcp = Doc().Get(u"wlan_dhcp", p);
    ShowChoice(Row(p, kDhcp), true, dhcp);
    for (int offset = kIpAddr; offset <= kDns2; ++offset) {
        ShowInputCell(Row(p, static_cast<ProfileRow>(offset)), 1, dhcp != u"on",
                      Q(Doc().Get(FieldAt(offset)->key, p)));
    }
}

void CListViewWlan::SsidRule(unsigned p) {
    const std::u16string& ssid = Doc().Get(u"wlan_ssid", p);
    ShowInputCell(Row(p, kSsid), 1, true, Q(ssid));
    if (!ssid.empty()) {
        ShowChoice(Row(p, kSecurity), true, Doc().Get(u"wlan_sec", p));
        SecurityRule(p);
        return;
    }
    for (ProfileRow r : {kSecurity, kEncryption, kPsk}) {
        ShowInputCell(Row(p, r), 1, false, QString());
    }
    Dot1xRule(p);
}

void CListViewWlan::SecurityRule(unsigned p) {
    ShowChoice(Row(p, kEncryption), true, Doc().Get(u"wlan_enc", p));
    ShowInputCell(Row(p, kPsk), 1, IsPskType(Doc().Get(u"wlan_sec", p)),
                  Q(MaskText(Doc().Get(u"wlan_psk", p))));
    Dot1xRule(p);
}

void CListViewWlan::Dot1xRule(unsigned p) {
    const std::u16string& sec = Doc().Get(u"wlan_sec", p);
    const bool dot1x = !Doc().Get(u"wlan_ssid", p).empty() && !IsOpenType(sec) && !IsPskType(sec);
    const bool password = dot1x && HasEapPassword(Doc().Get(u"eap_type", p));
    ShowChoice(Row(p, kEapType), dot1x, Doc().Get(u"eap_type", p));
    ShowInputCell(Row(p, kEapIdentity), 1, dot1x, Q(Doc().Get(u"eap_identity", p)));
    ShowInputCell(Row(p, kEapPassword), 1, password, Q(MaskText(Doc().Get(u"eap_passwd", p))));
    ShowInputCell(Row(p, kEapOuterIdentity), 1, password, Q(Doc().Get(u"eap_outer_identity", p)));
    ShowInputCell(Row(p, kEapCertIndex), 1, dot1x, CertChoiceText(Doc().Get(u"eap_cert_cert_idx", p)));
}

QString CListViewWlan::CertChoiceText(const std::u16string& index) const {
    if (index == u"0") {
        return PageText(kTextNoCertificate);
    }
    if (index.size() == 1 && index[0] >= u'1' && index[0] <= u'0' + kCertSlots) {
        const unsigned slot = index[0] - u'0';
        return QStringLiteral("%1 : %2").arg(slot).arg(Q(Doc().Get(u"eap_cert_name", slot - 1)));
    }
    return {};
}

// ---- editors -------------------------------------------------------------------------------

QWidget* CListViewWlan::CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                         const QString& text) {
    if (column != 1 || row <= 0 || row >= kRows || !IsCellEditable(row, column)) {
        return nullptr;
    }
    auto combo = [&](const QStringList& items, const QString& shown) -> QWidget* {
        return new KGridListCtrlCombo(this, row, column, left, top, right, bottom, items, shown);
    };
    auto edit = [&](const QString& shown, const TextRowRule& rule, char16_t passwordChar = 0) -> QWidget* {
        auto* e = new KGridListCtrlEdit(this, row, column, left, top, right, bottom, shown, passwordChar);
        ConfigureEdit(*e, rule);
        return e;
    };
    switch (row) {
        case kScanRow: {
            QStringList items;
            for (uint32_t id : kScanItems) {
                items << PageText(id);
            }
            return combo(items, text);
        }
        case kPowerRow:
            return combo(Texts({10090, 10091, 4224}), text);
        case kChannelRow: {
            QStringList items = Texts({10093, 10094});
            for (uint32_t id = 10095; id <= 10107; ++id) {
                items << PageText(id);
            }
            items << PageText(kTextCustomChannel);
            // With no item selected, choosing the custom list again counts as a change.
            return combo(items, Doc().Get(u"wlan_ch") == u"custom" ? QString() : text);
        }
        case kCustomRow:
            if (Doc().Get(u"wlan_ch") == u"custom" && SelectChannels()) {
                ChannelRule();
            }
            return nullptr;
        case kRoamRow: {
            QStringList items;
            for (int n = 1; n <= 100; ++n) {
                items << QStringLiteral("-%1").arg(n);
            }
            return combo(items, text);
        }
        default:
            break;
    }
    if (row < Row(0, kAddressSection)) {
        return nullptr;
    }
    const unsigned p = static_cast<unsigned>((row - Row(0, kAddressSection)) / kProfileRows);
    const int offset = (row - Row(0, kAddressSection)) % kProfileRows;
    switch (offset) {
        case kDhcp:
            return combo(Texts({2500, 2501}), text);
        case kIpAddr:
        case kSubnet:
        case kGateway:
        case kDns1:
        case kDns2:
            // The address rule of the catalogue: 15 characters of digits and dots.
            return edit(text, CatalogueTextRule(FieldAt(offset)->key));
        case kSsid:
            return edit(text, PrintableRule(32));
        case kSecurity: {
            QStringList items;
            for (uint32_t id : kSecurityItems) {
                items << PageText(id);
            }
            return combo(items, text);
        }
        case kEncryption: {
            const std::u16string& sec = Doc().Get(u"wlan_sec", p);
            if (IsOpenType(sec)) {
                return combo(Texts({10050}), text);
            }
            if (sec == u"8021x") {
                return combo(Texts({10051, 10052}), text);
            }
            return combo(IsMixedWpaType(sec) ? Texts({10055, 10056}) : Texts({10055}), text);
        }
        case kPsk: {
            const std::u16string& enc = Doc().Get(u"wlan_enc", p);
            const int limit = enc == u"wep64"                                           ? 10
                              : enc == u"wep128"                                        ? 26
                              : enc == u"wep152"                                        ? 32
                              : (enc == u"tkip" || enc == u"aes" || enc == u"tkip_aes") ? 64
                                                                                        : 0;
            return edit(Q(Doc().Get(u"wlan_psk", p)), PrintableRule(limit), u'*');
        }
        case kEapType:
            return combo(Texts({10062, 10063, 10064}), text);
        case kEapIdentity:
        case kEapOuterIdentity:
            return edit(text, PrintableRule(63));
        case kEapPassword:
            return edit(Q(Doc().Get(u"eap_passwd", p)), PrintableRule(63), u'*');
        case kEapCertIndex: {
            QStringList items;
            if (HasEapPassword(Doc().Get(u"eap_type", p))) {
                items << PageText(kTextNoCertificate);
            }
            for (unsigned slot = 1; slot <= kCertSlots; ++slot) {
                items << CertChoiceText(QString::number(slot).toStdU16String());
            }
            return combo(items, text);
        }
        default:
            return nullptr;
    }
}

bool CListViewWlan::SelectChannels() {
    CDlgchSelect dialog(Doc().Get(u"wlan_ch_custom"), this);
    if (UserPrompts().ExecDialog(&dialog) != QDialog::Accepted) {
        return false;
    }
    return Store(u"wlan_ch_custom", 0, dialog.m_channels);
}

// ---- commits -------------------------------------------------------------------------------

bool CListViewWlan::Store(std::u16string_view key, unsigned index, std::u16string_view value,
                          uint32_t refusal) {
    if (Doc().Set(key, index, value)) {
        return true;
    }
    ShowError(PageText(refusal != 0 ? refusal : kTextValueRefused));
    return false;
}

bool CListViewWlan::ChoiceValue(const QString& text, std::u16string& value) const {
    QString found;
    if (!FindTextValue(text, kDefault, &found)) {
        return false;  // no item chosen: nothing is stored
    }
    value = found.toStdU16String();
    return true;
}

void CListViewWlan::OnEndCellEdit(KEndEditRecord& record) {
    if (record.column != 1 || record.row <= 0 || record.row >= kRows) {
        return;
    }
    if (record.row < Row(0, kAddressSection)) {
        CommitUnitRow(record.row, record.text);
        return;
    }
    const int relative = record.row - Row(0, kAddressSection);
    CommitProfileRow(static_cast<unsigned>(relative / kProfileRows), relative % kProfileRows, record.text);
}

void CListViewWlan::CommitUnitRow(int row, const QString& text) {
    std::u16string value;
    switch (row) {
        case kScanRow:
        case kPowerRow:
            if (ChoiceValue(text, value)) {
                Store(row == kScanRow ? u"wlan_scan" : u"wlan_power", 0, value);
            }
            ShowChoice(row, true, Doc().Get(row == kScanRow ? u"wlan_scan" : u"wlan_power"));
            break;
        case kChannelRow:
            if (!ChoiceValue(text, value) || (value == u"custom" && !SelectChannels())) {
                return;  // cancelled: nothing stored, the cell keeps its text
            }
            Store(u"wlan_ch", 0, value);
            ChannelRule();
            break;
        case kRoamRow:
            if (const unsigned n = LeadingNumber(text); n > 0) {
                Store(u"wlan_roam_rssi", 0, QString::number(n).toStdU16String());
            }
            ShowInputCell(kRoamRow, 1, true, QStringLiteral("-") + Q(Doc().Get(u"wlan_roam_rssi")));
            break;
        default:
            break;
    }
}

void CListViewWlan::CommitProfileRow(unsigned p, int offset, const QString& text) {
    const ProfileField* field = FieldAt(offset);
    if (!field) {
        return;
    }
    const int row = Row(p, static_cast<ProfileRow>(offset));
    const std::u16string typed = text.toStdU16String();
    std::u16string value;
    switch (offset) {
        case kDhcp:
            if (ChoiceValue(text, value)) {
                Store(field->key, p, value);
            }
            AddressRule(p);
            return;
        case kIpAddr:
        case kSubnet:
        case kGateway:
        case kDns1:
        case kDns2:
        case kPsk:
            if (!Store(field->key, p, typed, field->refusal)) {
                return;
            }
            // The stored form: an address without leading zeros, a key as stars.
            ShowInputCell(
                row, 1, true,
                offset == kPsk ? Q(MaskText(Doc().Get(field->key, p))) : Q(Doc().Get(field->key, p)));
            return;
        case kSsid:
            if (Store(field->key, p, typed)) {
                SsidRule(p);
            }
            return;
        case kSecurity:
        case kEncryption:
            if (ChoiceValue(text, value)) {
                Store(field->key, p, value);
            }
            ShowChoice(row, true, Doc().Get(field->key, p));
            SecurityRule(p);
            return;
        case kEapType:
            if (ChoiceValue(text, value) && Store(field->key, p, value)) {
                Store(u"eap_cert_cert_idx", p, u"1");
                SecurityRule(p);
            }
            return;
        case kEapIdentity:
        case kEapOuterIdentity:
            if (Store(field->key, p, typed)) {
                SetItemText(row, 1, Q(Doc().Get(field->key, p)));
            }
            return;
        case kEapPassword:
            if (Store(field->key, p, typed)) {
                SetItemText(row, 1, Q(MaskText(Doc().Get(field->key, p))));
            }
            return;
        case kEapCertIndex: {
            // Only a listed item is a choice: the text of 2505 or a slot's description.
            const bool none = text == PageText(kTextNoCertificate);
            const unsigned index = none ? 0 : LeadingNumber(text);
            if (!none && (index == 0 || index > kCertSlots)) {
                return;
            }
            if (index == 0) {
                UserPrompts().Message(this, PageText(kWarnNoCertificate), IUserPrompts::Icon::Warning,
                                      IUserPrompts::Buttons::Ok);
            }
            if (Store(u"eap_cert_cert_idx", p, QString::number(index).toStdU16String())) {
                SetItemText(row, 1, CertChoiceText(Doc().Get(u"eap_cert_cert_idx", p)));
            }
            return;
        }
        default:
            return;
    }
}

TALVERO_REGISTER_PAGE(1037, CListViewWlan);
