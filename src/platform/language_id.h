#pragma once
// The system language as a Windows language identifier, since the language files are named by
// it (talvero.0411.lang). Taken from the locale (LC_ALL, then LC_MESSAGES, then LANG);
// TALVERO_LANG=0x0411 (or a decimal number) overrides it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr uint16_t kLangEnglishUs = 0x0409;
inline constexpr uint16_t kLangJapanese = 0x0411;

// "ja_JP.UTF-8" → 0x0411, "en_GB" → 0x0809, "de" → 0x0407. "C", "POSIX", an empty or an
// unknown name give 0x0409, the language every installation carries.
uint16_t LanguageIdFromLocaleName(std::string_view locale);

// The locale name of a language identifier, the reverse of the above: 0x0411 → "ja",
// 0x0809 → "en_GB"; empty for an identifier the table does not know.
std::string LocaleNameOfLanguageId(uint16_t id);

// "0x0411", "0411" (the four hexadecimal digits of a language file's name) or "1041" (decimal);
// nothing for text that is not a number in 1 … 0xFFFF.
std::optional<uint16_t> ParseLanguageId(std::string_view text);

// The identifier for this process, from the environment as described above.
uint16_t SystemDefaultLanguageId();
