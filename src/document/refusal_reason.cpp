#include "document/refusal_reason.h"

#include "document/value_rules.h"
#include "platform/unicode.h"

namespace {

// What a setting's rule asks for.
std::string DescribeRule(const SettingRule& r) {
    switch (r.kind) {
        case RuleKind::Any:
            return "the value is not accepted here";
        case RuleKind::OneOf: {
            std::string list;
            for (auto c : r.choices) {
                list += (list.empty() ? "" : ", ") + QuotedValue(c);
            }
            return "the value must be one of " + list;
        }
        case RuleKind::Number: {
            std::string s =
                "the value must be a number from " + std::to_string(r.lo) + " to " + std::to_string(r.hi);
            if (r.zeroOk || r.exactZeroOk) {
                s += ", or 0";
            }
            if (r.emptyOk) {
                s += ", or empty";
            }
            return s;
        }
        case RuleKind::Width:
            return "the text is too wide for the radio's display (at most " + std::to_string(r.limit) +
                   " half-width or " + std::to_string(r.limit / 2) + " full-width characters)";
        case RuleKind::Length:
            return "the text can be at most " + std::to_string(r.limit) + " characters long";
        case RuleKind::Ipv4:
            return "the value must be an IPv4 address such as 192.168.0.1, or empty";
        case RuleKind::DialNumber:
            return "the number can hold at most 31 of the characters 0123456789#*";
    }
    return "refused";
}

}  // namespace

// A value as the user typed it, with line breaks and NUL shown as escapes so that the message stays
// on one line.
std::string QuotedValue(std::u16string_view v) {
    std::string out = "\"";
    for (const char c : Utf16ToUtf8(std::u16string(v))) {
        out += c == '\r'   ? std::string("\\r")
               : c == '\n' ? std::string("\\n")
               : c == '\0' ? std::string("\\0")
                           : std::string(1, c);
    }
    return out + "\"";
}

// Why the document refused a value for `id`, a setting no page edits (a page words its own).
std::string RefusalReason(SettingId id) {
    const SettingDef& def = SettingsCatalogue()[id.def];
    if (def.hook == Hook::WepKey) {
        return "the key does not fit the profile's encryption (WEP keys of 5, 13 or 16 characters or "
               "10, 26 or 32 hexadecimal digits; other keys of 8 to 63 characters or 64 hexadecimal "
               "digits)";
    }
    return DescribeRule(def.rule);
}
