#pragma once
// The catalogue of every setting of a radio configuration: one row per setting (or per field of
// an indexed family), in load order, with its default, its value rule and where it is rendered.
// Defaults, setter validation, rendering and loading are all driven from this table.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class Family : uint8_t {
    Info,      // radio information and line settings: bare key, never rendered
    Unit,      // name + "_01"
    Bare,      // name alone ("access_pass")
    IdEntry,   // name + "_01_" + entry (1–500)
    Message,   // "msg_01_" + index (1–10)
    Status,    // "stat_01_" / "sw_presence_01_" + index (1–10)
    Profile,   // name + "_" + profile (1–10), no unit number
    CertSlot,  // name + "_" + slot (1–4), no unit number
};

enum class RuleKind : uint8_t {
    Any,
    OneOf,       // exact match with one of `choices`
    Number,      // leading number within lo–hi (see flags)
    Width,       // TextWidth at most `limit`
    Length,      // at most `limit` code units
    Ipv4,        // empty or a dotted IPv4 address, normalised
    DialNumber,  // at most 31 bytes in the code page, each one of "0123456789#*"
};

enum class Store : uint8_t { AsGiven, U, U05 };

// Setters with effects beyond their own value.
enum class Hook : uint8_t {
    None,
    EarSidetone,   // a value other than "off" turns "ear_ec" off
    IdListTop,     // "0" turns "all_call_disp" on first
    AudioAfMin,    // not above "audio_af_max"
    AudioAfMax,    // not below "audio_af_min"
    WlanSsid,      // emptying resets security, encryption and keys
    WlanSec,       // adjusts encryption and pre-shared key
    WlanEnc,       // adjusts WEP key and pre-shared key
    WepKey,        // rule depends on the profile's encryption
    PreSharedKey,  // rule depends on the profile's security
};

struct SettingRule {
    RuleKind kind = RuleKind::Any;
    std::vector<std::u16string_view> choices;  // OneOf; "" in the list accepts the empty text
    uint32_t lo = 0, hi = 0;                   // Number
    bool notEmpty = false;                     // the empty text is refused
    bool emptyOk = false;                      // Number: the empty text is accepted and stored empty
    bool zeroOk = false;                       // Number: 0 is accepted besides lo–hi
    bool exactZeroOk = false;                  // Number: exactly "0" is accepted besides lo–hi
    Store store = Store::AsGiven;
    uint32_t limit = 0;  // Width / Length
};

struct SettingDef {
    std::u16string_view name;
    Family family;
    std::u16string_view def;  // default value
    SettingRule rule;
    bool rendered = true;  // false: loaded and kept, never written to the file or the radio
    Hook hook = Hook::None;
    size_t secretCapacity = 0;  // >0: scrambled in the file form with this capacity
    uint32_t slot = 0;          // first storage slot (filled when the catalogue is built)
};

// The value lists several settings share, named once. Pages build their choices from the same
// lists, so a page never offers a value its setting would refuse.
namespace choice_lists {
inline const std::vector<std::u16string_view> kOffOn = {u"off", u"on"};
inline const std::vector<std::u16string_view> kToneOnOff = {u"none", u"tone1"};
inline const std::vector<std::u16string_view> kTones = {u"none",  u"tone1", u"tone2", u"tone3", u"tone4",
                                                        u"tone5", u"tone6", u"tone7", u"tone8"};
inline const std::vector<std::u16string_view> kMicGains = {u"-12", u"-9", u"-6", u"-3", u"0",
                                                           u"3",   u"6",  u"9",  u"12"};
inline const std::vector<std::u16string_view> kCallActions = {u"beep", u"vib", u"beep+vib"};
inline const std::vector<std::u16string_view> kNoticeSounds = {u"beep", u"bel"};
inline const std::vector<std::u16string_view> kToneCounts = {u"continuous", u"cnt", u"cnt3", u"cnt10",
                                                             u"cnt20"};
inline const std::vector<std::u16string_view> kCallTargets = {u"all", u"group", u"indi"};
inline const std::vector<std::u16string_view> kEmergencyTargets = {u"indi", u"group", u"talkgrp", u"all",
                                                                   u"tel"};
inline const std::vector<std::u16string_view> kListDisplays = {u"tab", u"list"};
inline const std::vector<std::u16string_view> kOptionKeyFunctions = {
    u"none",         u"msg",       u"onetouch", u"disc_phone",  u"rx_mute",
    u"onetouch_vol", u"emergency", u"rem_moni", u"surveillance"};
}  // namespace choice_lists

// Capacity of a secret that is scrambled at its own length (certificates).
inline constexpr size_t kSecretOwnLength = static_cast<size_t>(-1);

// Members of each family.
constexpr unsigned kIdEntries = 500, kMessages = 10, kStatuses = 10, kProfiles = 10, kCertSlots = 4;
unsigned FamilyCount(Family f);

// A setting in the document: its catalogue row and the member index (0-based; 0 for singles).
struct SettingId {
    uint16_t def = 0;
    uint16_t index = 0;
    bool operator==(const SettingId&) const = default;
};

const std::vector<SettingDef>& SettingsCatalogue();
// Total number of stored values (every member of every family).
uint32_t CatalogueSlotCount();

// The catalogue row of a setting name ("def_id", "name", "wlan_psk"); nullopt when unknown.
std::optional<uint16_t> FindSettingDef(std::u16string_view name);
// The setting a key of the file or radio text names ("def_id_01", "name_01_07", "wlan_ssid_03",
// "access_pass", "iccid", "wlan_key_02" for the WEP key, "wlan_psk_02" for the pre-shared key).
std::optional<SettingId> FindSettingByKey(std::u16string_view key);
// The key of a setting in the file form.
std::u16string SettingKey(SettingId id);
const std::u16string& SettingKeyRef(SettingId id);
