#include "pages/text_row_rule.h"

#include "document/settings_catalogue.h"
#include "platform/programming_error.h"
#include "platform/unicode.h"

namespace {
// The dial-number rule counts bytes of the code page; its characters are all single-byte.
constexpr int kDialNumberChars = 31;
constexpr int kIpv4Chars = 15;

int DigitCount(uint32_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}
}  // namespace

std::u16string PrintableAsciiChars() {
    std::u16string set;
    for (char16_t ch = u' '; ch <= u'~'; ++ch) {
        set.push_back(ch);
    }
    return set;
}

TextRowRule DialNumberTextRule() {
    TextRowRule rule;
    rule.maxChars = kDialNumberChars;
    rule.allowedChars = kPhoneChars;
    rule.asciiOnly = true;
    return rule;
}

TextRowRule CatalogueTextRule(std::u16string_view setting) {
    TextRowRule rule;
    const auto def = FindSettingDef(setting);
    if (!def) {
        ProgrammingError("a page row names the setting '" + Utf16ToUtf8(setting) +
                         "', which the catalogue lacks");
    }
    const SettingRule& catalogue = SettingsCatalogue()[*def].rule;
    switch (catalogue.kind) {
        case RuleKind::Number:
            rule.maxChars = DigitCount(catalogue.hi);
            rule.allowedChars = kDigitChars;
            rule.asciiOnly = true;
            rule.errorArgs = {catalogue.lo, catalogue.hi};
            break;
        case RuleKind::Width:
            rule.maxWidth = static_cast<int>(catalogue.limit);
            rule.jisCheck = true;
            rule.errorArgs = {catalogue.limit};
            break;
        case RuleKind::Length:
            rule.maxChars = static_cast<int>(catalogue.limit);
            rule.errorArgs = {catalogue.limit};
            break;
        case RuleKind::DialNumber:
            rule = DialNumberTextRule();
            break;
        case RuleKind::Ipv4:
            rule.maxChars = kIpv4Chars;
            rule.allowedChars = kAddressChars;
            rule.asciiOnly = true;
            break;
        case RuleKind::Any:
        case RuleKind::OneOf:
            break;
    }
    return rule;
}
