// The choice lists many pages share, built from the catalogue's value lists.
#include "document/settings_catalogue.h"
#include "gui/editor/page_row.h"

std::vector<PageChoice> ListChoices(const std::vector<std::u16string_view>& values,
                                    const std::vector<uint32_t>& textIds) {
    std::vector<PageChoice> choices;
    for (size_t i = 0; i < values.size() && i < textIds.size(); ++i) {
        choices.push_back({std::u16string(values[i]), textIds[i], {}});
    }
    return choices;
}

std::vector<PageChoice> OffOnChoices() {
    return ListChoices(choice_lists::kOffOn, {kTextOff, kTextOn});
}

std::vector<PageChoice> ToneChoices() {
    std::vector<uint32_t> ids = {kTextOff};
    for (uint32_t tone = 0; tone < 8; ++tone) {
        ids.push_back(kTextTone1 + tone);
    }
    return ListChoices(choice_lists::kTones, ids);
}

std::u16string DecimalText(int64_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

std::vector<PageChoice> NumberChoices(int first, int last, int step) {
    std::vector<PageChoice> choices;
    for (int n = first; step > 0 && n <= last; n += step) {
        choices.push_back({DecimalText(n), 0, DecimalText(n)});
    }
    return choices;
}
