#include "platform/language_id.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

struct LocaleLanguage {
    const char* name;  // language, or language_territory
    uint16_t id;
};

// Specific territories first; a bare language falls back to its primary sublanguage.
constexpr LocaleLanguage kLocales[] = {
    {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0c09}, {"en_CA", 0x1009}, {"en_NZ", 0x1409},
    {"en_IE", 0x1809}, {"de_AT", 0x0c07}, {"de_CH", 0x0807}, {"fr_BE", 0x080c}, {"fr_CA", 0x0c0c},
    {"fr_CH", 0x100c}, {"es_MX", 0x080a}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816}, {"zh_CN", 0x0804},
    {"zh_SG", 0x1004}, {"zh_TW", 0x0404}, {"zh_HK", 0x0c04}, {"nl_BE", 0x0813}, {"ja", 0x0411},
    {"en", 0x0409},    {"de", 0x0407},    {"fr", 0x040c},    {"es", 0x0c0a},    {"it", 0x0410},
    {"pt", 0x0816},    {"zh", 0x0804},    {"ko", 0x0412},    {"nl", 0x0413},    {"ru", 0x0419},
    {"pl", 0x0415},    {"sv", 0x041d},    {"da", 0x0406},    {"nb", 0x0414},    {"no", 0x0414},
    {"fi", 0x040b},    {"cs", 0x0405},    {"hu", 0x040e},    {"el", 0x0408},    {"tr", 0x041f},
    {"th", 0x041e},    {"vi", 0x042a},    {"id", 0x0421},    {"ms", 0x043e},    {"uk", 0x0422},
    {"ar", 0x0401},    {"he", 0x040d},    {"ro", 0x0418},    {"sk", 0x041b},    {"sl", 0x0424},
    {"hr", 0x041a},    {"bg", 0x0402},    {"et", 0x0425},    {"lv", 0x0426},    {"lt", 0x0427},
};

const char* FirstSetVariable() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return value;
        }
    }
    return "";
}

}  // namespace

uint16_t LanguageIdFromLocaleName(std::string_view locale) {
    // Strip ".codeset" and "@modifier": ja_JP.UTF-8@euro → ja_JP.
    size_t end = locale.find_first_of(".@");
    if (end != std::string_view::npos) {
        locale = locale.substr(0, end);
    }
    std::string_view language = locale.substr(0, locale.find('_'));
    for (const auto& entry : kLocales) {
        if (locale == entry.name) {
            return entry.id;
        }
    }
    for (const auto& entry : kLocales) {
        if (language == entry.name) {
            return entry.id;
        }
    }
    return kLangEnglishUs;
}

std::string LocaleNameOfLanguageId(uint16_t id) {
    for (const auto& entry : kLocales) {
        if (entry.id == id) {
            return entry.name;
        }
    }
    return {};
}

std::optional<uint16_t> ParseLanguageId(std::string_view text) {
    std::string s(text);
    if (s.empty() || s[0] == '-' || s[0] == '+') {
        return std::nullopt;
    }
    // "0x0411" is hexadecimal; so are the four digits of a language file's name ("0411", "0c0a"),
    // which start with 0 or hold a letter. Other digits are decimal ("1041"). A leading 0 never
    // means octal: nobody writes a language in octal, and "0411" must not become 0x0109.
    int base = 10;
    std::string digits = s;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        digits = s.substr(2);
    } else if (s.size() <= 4 && (s[0] == '0' || s.find_first_not_of("0123456789") != std::string::npos)) {
        base = 16;
    }
    const char* allowed = base == 16 ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.find_first_not_of(allowed) != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    const unsigned long value = std::strtoul(digits.c_str(), nullptr, base);
    if (errno != 0 || value == 0 || value > 0xFFFF) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(value);
}

uint16_t SystemDefaultLanguageId() {
    if (const char* forced = std::getenv("TALVERO_LANG")) {
        if (auto id = ParseLanguageId(forced)) {
            return *id;
        }
    }
    return LanguageIdFromLocaleName(FirstSetVariable());
}
