#include "document/secret_keys.h"

#include <array>

namespace {

constexpr std::array<std::u16string_view, 8> kSecretNames = {
    u"access_pass",     u"wlan_key",      u"wlan_psk", u"eap_passwd",
    u"eap_cert_passwd", u"eap_cert_cert", u"ppp_pass", u"prov_pass",
};

// The key without its unit, entry, profile or slot numbers.
std::u16string_view BaseName(std::u16string_view key) {
    for (;;) {
        const size_t us = key.rfind(u'_');
        if (us == std::u16string_view::npos || us + 1 == key.size()) {
            return key;
        }
        bool digits = true;
        for (size_t i = us + 1; i < key.size(); ++i) {
            digits = digits && key[i] >= u'0' && key[i] <= u'9';
        }
        if (!digits) {
            return key;
        }
        key = key.substr(0, us);
    }
}

}  // namespace

bool IsSecretKey(std::u16string_view key) {
    const std::u16string_view base = BaseName(key);
    for (std::u16string_view name : kSecretNames) {
        if (base == name) {
            return true;
        }
    }
    return false;
}

bool IsSecretKey(std::string_view key) {
    return IsSecretKey(std::u16string(key.begin(), key.end()));
}

std::u16string MaskedSecret(std::u16string_view value) {
    return value.empty() ? std::u16string() : std::u16string(u"********");
}
