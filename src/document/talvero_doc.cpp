#include "document/talvero_doc.h"

#include <algorithm>
#include <stdexcept>

#include "document/known_settings.h"
#include "document/value_rules.h"

const KnownSettings& Known() {
    static const KnownSettings k = [] {
        auto id = [](std::u16string_view name) {
            auto d = FindSettingDef(name);
            if (!d) {
                throw std::logic_error("catalogue lacks a setting the document needs");
            }
            return *d;
        };
        KnownSettings s{};
        s.earEc = id(u"ear_ec");
        s.allCallDisp = id(u"all_call_disp");
        s.audioAfMin = id(u"audio_af_min");
        s.audioAfMax = id(u"audio_af_max");
        s.idName = id(u"name");
        s.idType = id(u"id_type");
        s.idId = id(u"id");
        s.idNumber = id(u"number");
        s.idYomi = id(u"yomi");
        s.idSelect = id(u"id_select");
        s.msg = id(u"msg");
        s.stat = id(u"stat");
        s.wlanDhcp = id(u"wlan_dhcp");
        s.wlanIpaddr = id(u"wlan_ipaddr");
        s.wlanSubnet = id(u"wlan_subnet");
        s.wlanDefGw = id(u"wlan_def_gw");
        s.wlanSsid = id(u"wlan_ssid");
        s.wlanSec = id(u"wlan_sec");
        s.wlanEnc = id(u"wlan_enc");
        s.wlanKey = id(u"wlan_key");
        s.wlanPsk = id(u"wlan_psk");
        s.wlanScan = id(u"wlan_scan");
        s.defId = id(u"def_id");
        s.defIdType = id(u"def_id_type");
        s.optKeyOnetouchId = id(u"opt_key_onetouch_id");
        s.optKeyOnetouchIdType = id(u"opt_key_onetouch_id_type");
        s.optEmerOnetouchId = id(u"opt_emer_onetouch_id");
        s.optEmerOnetouchIdType = id(u"opt_emer_onetouch_id_type");
        s.subDefId = id(u"sub_def_id");
        s.subDefIdType = id(u"sub_def_id_type");
        s.bgIntervalSw = id(u"bg_interval_sw");
        s.bgInterval = id(u"bg_interval");
        s.callId = id(u"call_id");
        s.dispName = id(u"disp_name");
        s.pppAuthType = id(u"ppp_auth_type");
        s.pppAuthType02 = id(u"ppp_auth_type_02");
        return s;
    }();
    return k;
}

namespace {

constexpr std::u16string_view kPlaceholderPsk = u"52917364";

bool IsOpenType(std::u16string_view v) {
    return v == u"open" || v == u"open_shared";
}
bool IsMixedWpa(std::u16string_view v) {
    return v == u"wpa_wpa2psk" || v == u"wpa_wpa2";
}
bool IsWpa2Wpa3(std::u16string_view v) {
    return v == u"wpa2psk" || v == u"wpa2" || v == u"owe" || v == u"wpa3" || v == u"wpa2_wpa3" ||
           v == u"wpa3sae" || v == u"wpa2_wpa3sae";
}
bool IsTkipAes(std::u16string_view v) {
    return v == u"tkip" || v == u"aes" || v == u"tkip_aes";
}
// Hexadecimal key length of a WEP encryption, 0 for any other value.
size_t WepHexLength(std::u16string_view v) {
    if (v == u"wep64")
        return 10;
    if (v == u"wep128")
        return 26;
    if (v == u"wep152")
        return 32;
    return 0;
}

}  // namespace

CTalveroDoc::CTalveroDoc() : m_values(CatalogueSlotCount()) {
    Known();  // fail at construction, not in the middle of an edit, if the catalogue is broken
    SetDefaults();
}

uint32_t CTalveroDoc::Slot(SettingId id) const {
    const auto& cat = SettingsCatalogue();
    if (id.def >= cat.size() || id.index >= FamilyCount(cat[id.def].family)) {
        throw std::out_of_range("setting index out of range");
    }
    return cat[id.def].slot + id.index;
}

SettingId CTalveroDoc::Id(std::u16string_view name, unsigned index) {
    auto def = FindSettingDef(name);
    if (!def || index >= FamilyCount(SettingsCatalogue()[*def].family)) {
        throw std::out_of_range("unknown setting");
    }
    return SettingId{*def, static_cast<uint16_t>(index)};
}

const std::u16string& CTalveroDoc::Get(std::u16string_view name, unsigned index) const {
    return Get(Id(name, index));
}

bool CTalveroDoc::Set(std::u16string_view name, unsigned index, std::u16string_view value) {
    return Set(Id(name, index), value);
}

void CTalveroDoc::SetDefaults() {
    for (const auto& d : SettingsCatalogue()) {
        const unsigned n = FamilyCount(d.family);
        for (unsigned i = 0; i < n; ++i) {
            m_values[d.slot + i].assign(d.def);
        }
    }
}

bool CTalveroDoc::OnNewDocument() {
    m_pathName.clear();
    m_modified = false;
    SetDefaults();
    return true;
}

void CTalveroDoc::Store(SettingId id, std::u16string value) {
    m_values[Slot(id)] = std::move(value);
    m_modified = true;
}

bool CTalveroDoc::Set(SettingId id, std::u16string_view value) {
    const SettingDef& def = SettingsCatalogue().at(id.def);
    const KnownSettings& k = Known();
    if (HoldsLineBreakOrNul(value)) {
        return false;
    }
    // "0" for the top of the ID list also shows the all-call entry, even when the top was "0".
    if (def.hook == Hook::IdListTop && value == u"0") {
        Set(SettingId{k.allCallDisp, 0}, u"on");
    }
    if (Get(id) == value) {
        return true;
    }
    const unsigned profile = id.index;
    switch (def.hook) {
        case Hook::WlanSsid:
            if (value.empty()) {
                m_values[Slot({k.wlanSec, id.index})] = u"open";
                m_values[Slot({k.wlanEnc, id.index})] = u"none";
                m_values[Slot({k.wlanKey, id.index})].clear();
                m_values[Slot({k.wlanPsk, id.index})].clear();
            }
            Store(id, std::u16string(value));
            return true;
        case Hook::WlanSec:
            return SetWlanSec(profile, value);
        case Hook::WlanEnc:
            return SetWlanEnc(profile, value);
        default:
            break;
    }
    std::u16string stored;
    if (!Validate(def, id, value, stored)) {
        return false;
    }
    Store(id, std::move(stored));
    // A new certificate format empties the slot: a certificate of the other format is no use to
    // the radio, whichever path (page, `cert` command, `set`, fleet row) changed the format.
    static const uint16_t certFormat = *FindSettingDef(u"eap_cert_format");
    if (id.def == certFormat) {
        static const uint16_t cert = *FindSettingDef(u"eap_cert_cert");
        static const uint16_t password = *FindSettingDef(u"eap_cert_passwd");
        m_values[Slot({cert, id.index})].clear();
        m_values[Slot({password, id.index})].clear();
    }
    if (def.hook == Hook::EarSidetone && value != u"off") {
        std::u16string& ec = m_values[Slot({k.earEc, 0})];
        if (ec != u"off") {
            ec = u"off";
            m_modified = true;
        }
    }
    return true;
}

bool CTalveroDoc::Accepts(SettingId id, std::u16string_view value) const {
    const SettingDef& def = SettingsCatalogue().at(id.def);
    if (HoldsLineBreakOrNul(value)) {
        return false;
    }
    if (Get(id) == value) {
        return true;
    }
    switch (def.hook) {
        case Hook::WlanSsid:
        case Hook::WlanSec:
        case Hook::WlanEnc:
            return true;
        default:
            break;
    }
    std::u16string stored;
    return Validate(def, id, value, stored);
}

bool CTalveroDoc::Validate(const SettingDef& def, SettingId id, std::u16string_view value,
                           std::u16string& stored) const {
    const KnownSettings& k = Known();
    switch (def.hook) {
        case Hook::AudioAfMin:
            return CheckRule(def.rule, value, stored) &&
                   LeadingNumber(value) <= LeadingNumber(Get(SettingId{k.audioAfMax, 0}));
        case Hook::AudioAfMax:
            return CheckRule(def.rule, value, stored) &&
                   LeadingNumber(value) >= LeadingNumber(Get(SettingId{k.audioAfMin, 0}));
        case Hook::WepKey: {
            const std::u16string& enc = Get(SettingId{k.wlanEnc, id.index});
            stored.assign(value);
            if (const size_t hexLen = WepHexLength(enc)) {
                return value.size() == hexLen / 2 || (value.size() == hexLen && IsHexText(value));
            }
            if (IsTkipAes(enc)) {
                return value.size() >= 8 && value.size() <= 64 && (value.size() < 64 || IsHexText(value));
            }
            return true;  // "none" and unknown encryptions take any key
        }
        case Hook::PreSharedKey: {
            const std::u16string& sec = Get(SettingId{k.wlanSec, id.index});
            stored.assign(value);
            const size_t max = sec == u"wpa2_wpa3sae" ? 63 : 64;
            if (value.size() < 8 || value.size() > max) {
                return false;
            }
            return !(value.size() == 64 && !IsHexText(value) && sec != u"wpa3sae");
        }
        default:
            return CheckRule(def.rule, value, stored);
    }
}

bool CTalveroDoc::SetWlanSec(unsigned profile, std::u16string_view value) {
    const KnownSettings& k = Known();
    const auto p = static_cast<uint16_t>(profile);
    const std::u16string old = Get(SettingId{k.wlanSec, p});
    Store(SettingId{k.wlanSec, p}, std::u16string(value));
    const SettingId enc{k.wlanEnc, p};
    if (old != u"8021x" && value == u"8021x") {
        Set(enc, u"wep128");
    } else if (!IsOpenType(old) && IsOpenType(value)) {
        Set(enc, u"none");
    } else if ((!IsMixedWpa(old) && IsMixedWpa(value)) || (!IsWpa2Wpa3(old) && IsWpa2Wpa3(value))) {
        Set(enc, u"aes");
    }
    const SettingId psk{k.wlanPsk, p};
    if (value == u"wpa2_wpa3sae" && Get(psk).size() == 64) {
        Set(psk, kPlaceholderPsk);
    }
    return true;
}

bool CTalveroDoc::SetWlanEnc(unsigned profile, std::u16string_view value) {
    const KnownSettings& k = Known();
    const auto p = static_cast<uint16_t>(profile);
    Store(SettingId{k.wlanEnc, p}, std::u16string(value));
    const SettingId psk{k.wlanPsk, p};
    const SettingId wep{k.wlanKey, p};
    if (IsTkipAes(value)) {
        const std::u16string& key = Get(psk);
        const std::u16string& sec = Get(SettingId{k.wlanSec, p});
        const size_t n = key.size();
        if (n < 8 || n > 64 || (sec == u"wpa2_wpa3sae" && n == 64) ||
            (sec != u"wpa3sae" && n == 64 && !IsHexText(key))) {
            Set(psk, kPlaceholderPsk);
        }
    } else if (const size_t hexLen = WepHexLength(value)) {
        std::u16string key = Get(wep);
        if (key.size() != hexLen / 2 && key.size() != hexLen) {
            key.assign(hexLen / 2, u'0');
        }
        Set(wep, key);
    } else {
        Set(wep, u"");
    }
    return true;
}

void CTalveroDoc::ClearIdEntry(unsigned index) {
    const KnownSettings& k = Known();
    const auto i = static_cast<uint16_t>(index);
    for (uint16_t def : {k.idName, k.idType, k.idId, k.idNumber, k.idYomi, k.idSelect}) {
        m_values[Slot({def, i})].assign(SettingsCatalogue()[def].def);
    }
}

void CTalveroDoc::ResetIdList() {
    for (unsigned i = 0; i < kIdEntries; ++i) {
        ClearIdEntry(i);
    }
}

std::u16string CTalveroDoc::GetModeFlagHigh(std::u16string_view value) {
    const int32_t n = LeadingNumber(value);
    return (n == 2 || n == 3) ? u"1" : u"0";
}

std::u16string CTalveroDoc::GetModeFlagLow(std::u16string_view value) {
    const int32_t n = LeadingNumber(value);
    return (n == 1 || n == 3) ? u"1" : u"0";
}

bool CTalveroDoc::SetModeFlagHigh(std::u16string_view name, std::u16string_view flag) {
    const SettingId id = Id(name);
    const uint32_t high = static_cast<uint32_t>(LeadingNumber(flag));
    const uint32_t low = GetModeFlagLow(Get(id)) == u"1" ? 1 : 0;
    std::u16string next = FormatUnsigned(2 * high + low);
    if (next != Get(id)) {
        Store(id, std::move(next));
    }
    return true;
}

bool CTalveroDoc::SetModeFlagLow(std::u16string_view name, std::u16string_view flag) {
    const SettingId id = Id(name);
    const uint32_t high = GetModeFlagHigh(Get(id)) == u"1" ? 1 : 0;
    const uint32_t low = static_cast<uint32_t>(LeadingNumber(flag));
    std::u16string next = FormatUnsigned(2 * high + low);
    if (next != Get(id)) {
        Store(id, std::move(next));
    }
    return true;
}

void CTalveroDoc::AddObserver(IDocumentObserver* observer) {
    if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end()) {
        m_observers.push_back(observer);
    }
}

void CTalveroDoc::RemoveObserver(IDocumentObserver* observer) {
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

void CTalveroDoc::UpdateAllViews(int hint, const std::vector<std::u16string>* warnings) {
    // A view may detach itself while being notified: walk a copy.
    const auto observers = m_observers;
    for (IDocumentObserver* o : observers) {
        if (std::find(m_observers.begin(), m_observers.end(), o) != m_observers.end()) {
            o->OnDocumentUpdate(hint, warnings);
        }
    }
}
