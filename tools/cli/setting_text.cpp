#include "setting_text.h"

#include "document/secret_keys.h"
#include "document/setting_places.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

std::string SettingLabel(const std::u16string& key) {
    const auto place = FindSettingPlace(key);
    if (!place) {
        return {};
    }
    return Utf16ToUtf8(GetLanguageText(place->pageTitleId)) + ": " +
           Utf16ToUtf8(GetLanguageText(place->labelId));
}

std::string ShownValue(const std::u16string& key, const std::u16string& value) {
    return "'" + ShownText(IsSecretKey(key) ? MaskedSecret(value) : std::u16string(value)) + "'";
}

std::string DescribeReadBack(const SettingDifference& d) {
    const std::string label = SettingLabel(d.key);
    std::string line = ShownText(d.key);
    if (!label.empty()) {
        line += " (" + label + ")";
    }
    line += ": written " + ShownValue(d.key, d.first) + ", ";
    line += d.missing ? std::string("not sent back") : "read back " + ShownValue(d.key, d.second);
    return line;
}
