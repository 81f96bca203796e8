#pragma once
// Catalogue rows that the document's own rules refer to by name, looked up once.
#include <cstdint>
#include <string_view>

#include "document/settings_catalogue.h"

struct KnownSettings {
    uint16_t earEc, allCallDisp, audioAfMin, audioAfMax;
    uint16_t idName, idType, idId, idNumber, idYomi, idSelect;
    uint16_t msg, stat;
    uint16_t wlanDhcp, wlanIpaddr, wlanSubnet, wlanDefGw, wlanSsid, wlanSec, wlanEnc, wlanKey, wlanPsk;
    uint16_t wlanScan;  // first row of the WLAN block
    uint16_t defId, defIdType, optKeyOnetouchId, optKeyOnetouchIdType, optEmerOnetouchId,
        optEmerOnetouchIdType;
    uint16_t subDefId, subDefIdType;
    uint16_t bgIntervalSw, bgInterval, callId, dispName, pppAuthType, pppAuthType02;
};

const KnownSettings& Known();

// Encryptions whose key is the WEP key (the others use the pre-shared key).
inline bool IsWepEncryption(std::u16string_view enc) {
    return enc == u"wep64" || enc == u"wep128" || enc == u"wep152";
}

// Families of several fields, rendered and loaded member by member.
inline bool IsGroupFamily(Family f) {
    return f == Family::IdEntry || f == Family::Status || f == Family::Profile || f == Family::CertSlot;
}
