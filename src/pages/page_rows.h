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

// A combo row committed through `table`.
inline PageRow KeyChoiceRow(uint32_t labelId, const std::u16string& key, std::vector<PageChoice> choices,
                            std::u16string table = u"default") {
    return ChoiceRow(labelId, key, {}, std::move(choices), std::move(table));
}

inline PageRow OffOnRow(uint32_t labelId, const std::u16string& key, std::u16string table = u"default") {
    return KeyChoiceRow(labelId, key, OffOnChoices(), std::move(table));
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
