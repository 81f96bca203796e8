#include "largest_config.h"

#include <stdexcept>
#include <string>

#include "document/talvero_doc.h"

namespace {

std::u16string Num(unsigned n, int width = 0) {
    std::string s = std::to_string(n);
    if (static_cast<int>(s.size()) < width) {
        s.insert(0, width - s.size(), '0');
    }
    return std::u16string(s.begin(), s.end());
}

void Must(CTalveroDoc& doc, std::u16string_view name, unsigned index, const std::u16string& value) {
    if (!doc.Set(name, index, value)) {
        throw std::logic_error("largest configuration: a value was refused");
    }
}

}  // namespace

void FillLargestConfiguration(CTalveroDoc& doc) {
    static const char16_t* const kTypes[] = {u"indi", u"group", u"user_group", u"tel"};
    for (unsigned e = 0; e < 500; ++e) {
        // 32 columns: 16 full-width characters (two columns each), varied per entry.
        std::u16string name;
        for (unsigned c = 0; c < 16; ++c) {
            name.push_back(static_cast<char16_t>(u'\u30A2' + (e + c) % 80));
        }
        std::u16string yomi = u"yomi" + Num(e + 1, 3);
        yomi.resize(32, u'k');
        const char16_t* type = kTypes[e % 4];
        Must(doc, u"id_type", e, type);
        Must(doc, u"name", e, name);
        Must(doc, u"id", e, Num(e + 1, 5));
        Must(doc, u"number", e, std::u16string(type) == u"tel" ? u"0312345" + Num(e, 4) : u"");
        Must(doc, u"yomi", e, yomi);
        Must(doc, u"id_select", e, e % 2 ? u"on" : u"off");
    }
    for (unsigned i = 0; i < 10; ++i) {
        std::u16string text = u"Message " + Num(i + 1) + u" ";
        text.resize(32, u'm');
        Must(doc, u"msg", i, text);
        std::u16string stat = u"Status " + Num(i + 1) + u" ";
        stat.resize(32, u's');
        Must(doc, u"stat", i, stat);
        Must(doc, u"sw_presence", i, i % 2 ? u"on" : u"off");
    }
    for (unsigned p = 0; p < 10; ++p) {
        Must(doc, u"wlan_ssid", p, u"site-network-" + Num(p + 1));
        Must(doc, u"wlan_dhcp", p, u"off");
        Must(doc, u"wlan_ipaddr", p, u"192.168.10." + Num(p + 10));
        Must(doc, u"wlan_subnet", p, u"255.255.255.0");
        Must(doc, u"wlan_def_gw", p, u"192.168.10.1");
        Must(doc, u"wlan_dns1", p, u"192.168.10.2");
        Must(doc, u"wlan_dns2", p, u"192.168.10.3");
        Must(doc, u"wlan_sec", p, u"wpa2psk");
        std::u16string psk;
        for (unsigned c = 0; c < 64; ++c) {
            psk.push_back(u"0123456789abcdef"[(p * 7 + c) % 16]);
        }
        Must(doc, u"wlan_psk", p, psk);
        Must(doc, u"eap_identity", p, u"user" + Num(p) + u"@example.net");
        Must(doc, u"eap_passwd", p, u"secret-password-" + Num(p));
        Must(doc, u"eap_outer_identity", p, u"anonymous@example.net");
    }
    for (unsigned s = 0; s < 4; ++s) {
        std::u16string cert;
        for (unsigned c = 0; c < 8000; ++c) {
            cert.push_back(
                u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(c * 31 + s) % 64]);
        }
        Must(doc, u"eap_cert_name", s, u"client-" + Num(s + 1) + u".p12");
        Must(doc, u"eap_cert_cert", s, cert);
        Must(doc, u"eap_cert_passwd", s, u"p12-pass-" + Num(s + 1));
    }
    Must(doc, u"access_pass", 0, u"0123456789abcdef");
    Must(doc, u"disp_name", 0, u"Radio Unit 42");
    Must(doc, u"def_id_type", 0, u"group");
    Must(doc, u"def_id", 0, u"00042");
}
