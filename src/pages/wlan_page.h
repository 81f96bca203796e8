#pragma once
// The WLAN page (node 1037): the unit's WLAN rows, an empty row, then for each of the ten
// connection profiles its addresses, its network and security and its 802.1X rows, 197 rows in
// all. A profile's rows edit that profile's member of each setting. Rows that do not apply to a
// profile's current choices are locked: the addresses while DHCP is on, everything past the SSID
// while it is empty, the pre-shared key unless the security uses one, the 802.1X rows unless the
// security is an 802.1X one. The encryption items follow the security type, the pre-shared key's
// length follows the encryption and the client certificate items follow the EAP type.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pages/page_row.h"

class CTalveroDoc;

namespace wlan_page {

inline constexpr uint32_t kNodeId = 1037;
inline constexpr int kRows = 197;
inline constexpr int kScanRow = 1, kPowerRow = 2, kChannelRow = 3, kCustomRow = 4, kRoamRow = 5;
// Rows of a profile, counted from its first row.
enum ProfileRow {
    kAddressSection = 0,
    kDhcp,
    kIpAddr,
    kSubnet,
    kGateway,
    kDns1,
    kDns2,
    kNetworkSection,
    kSsid,
    kSecurity,
    kEncryption,
    kPsk,
    kEapSection,
    kEapType,
    kEapIdentity,
    kEapPassword,
    kEapOuterIdentity,
    kEapCertIndex,
    // An empty row follows.
    kProfileRows = 19,
};
inline constexpr int kFirstProfileRow = 7;
// The page row of a profile's row (profile 0–9).
constexpr int Row(unsigned profile, ProfileRow r) {
    return kFirstProfileRow + kProfileRows * static_cast<int>(profile) + r;
}

// Text IDs the page shows beside its rows' own.
inline constexpr uint32_t kTextNoCertificate = 2505, kTextCustomChannel = 10108;
inline constexpr uint32_t kWarnNoCertificate = 10085;
inline constexpr int kChannels = 13;

bool IsOpenType(std::u16string_view security);
bool IsMixedWpaType(std::u16string_view security);
// Security types that use a pre-shared key.
bool IsPskType(std::u16string_view security);
// EAP types that log in with a password (and may go without a client certificate).
bool HasEapPassword(std::u16string_view eapType);
// Security types of 802.1X: a named network that is neither open nor uses a pre-shared key.
bool IsDot1x(const CTalveroDoc& doc, unsigned profile);

// The encryption items a security type offers, in the combo's order.
std::vector<PageChoice> EncryptionChoices(std::u16string_view security);
// The length a pre-shared key may have with an encryption (0: no limit).
int PreSharedKeyLimit(std::u16string_view encryption);
// What a network name, key or identity may hold: printable ASCII, at most `maxChars` (0: no limit).
TextRowRule PrintableRule(int maxChars);

// The client certificate items of a profile: "no certificate" (index 0) for an EAP type with a
// password, then each slot as "n : name".
std::vector<PageChoice> CertIndexChoices(const CTalveroDoc& doc, unsigned profile);
// The text of a stored certificate index; empty for an index that names no item.
std::u16string CertIndexText(const CTalveroDoc& doc, const std::u16string& index);

// True for the rows a profile's sections start with that carry the profile's number.
bool IsNumberedSection(const PageRow& row);

}  // namespace wlan_page
