#pragma once
// The value rules of the settings catalogue, as pure functions over UTF-16 text.
#include <cstdint>
#include <string>
#include <string_view>

#include "document/settings_catalogue.h"

// The leading decimal integer of a text as the radio's tools read it: optional white space and
// sign, then digits; no digits reads as 0. The value saturates at the 32-bit signed range, so a
// huge number can never wrap round into an accepted one.
int32_t LeadingNumber(std::u16string_view text);

// True when the text holds CR, LF or NUL. No setting may hold one: the file and the radio text
// end a line at CR LF and the radio's text at NUL, so such a value would come back as a different
// setting or cut the rest of the configuration off.
bool HoldsLineBreakOrNul(std::u16string_view text);

// Checks `value` against a rule that needs no other setting. On success `stored` holds the value
// to store (normalised where the rule says so).
bool CheckRule(const SettingRule& rule, std::u16string_view value, std::u16string& stored);

// Dotted IPv4 address, normalised with leading zeros dropped; the empty text is accepted.
bool NormaliseIpv4(std::u16string_view value, std::u16string& stored);

// Every character one of "0123456789ABCDEFabcdef" (the empty text counts).
bool IsHexText(std::u16string_view text);

std::u16string FormatUnsigned(uint32_t value, int minDigits = 0);
