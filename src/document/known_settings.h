#pragma once
// Catalogue rows that the document's own rules refer to by name, looked up once.
#include <cstdint>

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
