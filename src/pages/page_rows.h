#pragma once
// Row declarations shared by the function, key, tone, volume and remote monitor pages: every
// setting row's help page is its key + ".htm", and most rows are off/on combos.
#include <string>
#include <vector>

#include "pages/page_row.h"
#include "platform/unicode.h"

inline std::string HelpPageOf(const std::u16string& key) {
    return Utf16ToUtf8(key) + ".htm";
}

inline PageRow KeyChoiceRow(uint32_t labelId, const std::u16string& key, std::vector<PageChoice> choices) {
    return ChoiceRow(labelId, key, {}, std::move(choices));
}

inline PageRow OffOnRow(uint32_t labelId, const std::u16string& key) {
    return KeyChoiceRow(labelId, key, OffOnChoices());
}

// A typed row: shown as stored, written through the setter.
inline PageRow KeyTextRow(uint32_t labelId, const std::u16string& key, uint32_t errorId = 0) {
    return TextRow(labelId, key, {}, errorId);
}

template <class Condition>
PageRow When(PageRow row, Condition condition) {
    row.enabledWhen = [condition](const CTalveroDoc& doc, int) { return condition(doc); };
    return row;
}
