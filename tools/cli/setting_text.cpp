#include "setting_text.h"

#include "document/secret_keys.h"
#include "pages/page_value_text.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

std::string SettingLabel(const std::u16string& key) {
    const auto place = ShownPlaceOf(key);
    if (!place) {
        return {};
    }
    return Utf16ToUtf8(place->page) + ": " + Utf16ToUtf8(place->label);
}

std::string ShownValue(const std::u16string& key, const std::u16string& value) {
    return "'" + ShownText(IsSecretKey(key) ? MaskedSecret(value) : std::u16string(value)) + "'";
}

std::string ShownValue(const CTalveroDoc& doc, const std::u16string& key, const std::u16string& value) {
    return "'" + ShownText(ComparedValue(doc, key, value)) + "'";
}

std::string DescribeReadBack(const CTalveroDoc& doc, const SettingDifference& d) {
    const std::string label = SettingLabel(d.key);
    std::string line = ShownText(d.key);
    if (!label.empty()) {
        line += " (" + label + ")";
    }
    line += ": written " + ShownValue(doc, d.key, d.first) + ", ";
    line += d.missing ? std::string("not sent back") : "read back " + ShownValue(doc, d.key, d.second);
    return line;
}
