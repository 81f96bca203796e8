#include "document/refusal_reason.h"

#include "document/value_rules.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

// The rows of the program's pages that have a message of their own: the same text here.
enum : uint32_t {
    kTextIdNotDisplayable = 430,
    kTextIdEnterId = 8710,
    kTextIdEnterName = 8711,
    kTextIdReadingTooLong = 8713,
    kTextIdLineBreak = 2162,
};
constexpr unsigned kReadingChars = 32;

std::string Text(uint32_t id, std::initializer_list<FormatArg> args = {}) {
    return Utf16ToUtf8(FormatLanguageText(id, args));
}

// What a setting's rule asks for, for settings whose page row has no message of its own.
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

// Why the document refused `value` for `id`: the program's message for that row where it has one.
std::string RefusalReason(SettingId id, std::u16string_view value) {
    const SettingDef& def = SettingsCatalogue()[id.def];
    if (HoldsLineBreakOrNul(value)) {
        return Text(kTextIdLineBreak);
    }
    if (def.name == u"id") {
        return Text(kTextIdEnterId, {1u, 60000u});
    }
    if (def.name == u"name" && value.empty()) {
        return Text(kTextIdEnterName);
    }
    if (def.name == u"name" || def.name == u"msg" || def.name == u"stat") {
        return Text(kTextIdNotDisplayable);
    }
    if (def.name == u"yomi") {
        return Text(kTextIdReadingTooLong, {kReadingChars});
    }
    switch (def.hook) {
        case Hook::AudioAfMin:
            return DescribeRule(def.rule) + ", and not above audio_af_max";
        case Hook::AudioAfMax:
            return DescribeRule(def.rule) + ", and not below audio_af_min";
        case Hook::WepKey:
            return "the key does not fit the profile's encryption (WEP keys of 5, 13 or 16 characters or "
                   "10, 26 or 32 hexadecimal digits; other keys of 8 to 63 characters or 64 hexadecimal "
                   "digits)";
        case Hook::PreSharedKey:
            return "the pre-shared key must have 8 to 63 characters or 64 hexadecimal digits";
        default:
            return DescribeRule(def.rule);
    }
}
