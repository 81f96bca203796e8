#pragma once
// The settings whose values are secrets: passwords, WLAN keys and certificate text. Whatever shows
// a configuration to someone other than its owner (a serial trace, a comparison, a diagnostic
// report) masks their values.
#include <string>
#include <string_view>

// True when a key of the file or radio text ("access_pass", "wlan_key_03", "eap_cert_cert_02",
// "ppp_pass_02") names a secret. Trailing "_NN" groups are ignored, so "eap_cert_cert_idx_01" is
// not one.
bool IsSecretKey(std::u16string_view key);
bool IsSecretKey(std::string_view key);

// What stands for a secret value: the empty text stays empty (that a secret is unset is no secret),
// any other value becomes a fixed row of asterisks that tells nothing of its length.
std::u16string MaskedSecret(std::u16string_view value);
