// The choice lists many pages share, built from the catalogue's value lists.
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_row.h"
#include "text/language_texts.h"

namespace {
constexpr uint32_t kTextIndividual = 2535, kTextGroup = 2533, kTextTalkGroup = 2537, kTextAll = 2186,
                   kTextTelephone = 2539;
}  // namespace

std::u16string ShownChoiceText(const PageChoice& choice) {
    return !choice.literal.empty() || choice.textId == 0 ? choice.literal : GetLanguageText(choice.textId);
}

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

std::vector<PageChoice> NumberChoices(std::vector<PageChoice> leading, int first, int last) {
    std::vector<PageChoice> numbers = NumberChoices(first, last);
    leading.insert(leading.end(), std::make_move_iterator(numbers.begin()),
                   std::make_move_iterator(numbers.end()));
    return leading;
}

std::vector<PageChoice> IdTypeChoices() {
    return ListChoices(choice_lists::kEmergencyTargets,
                       {kTextIndividual, kTextGroup, kTextTalkGroup, kTextAll, kTextTelephone});
}

std::u16string MessageChoiceText(const CTalveroDoc& doc, const std::u16string& number) {
    // Any stored text can reach here; only a message that exists has a line.
    size_t begin = number.find_first_not_of(u' ');
    size_t end = number.find_last_not_of(u' ');
    unsigned n = 0;
    for (size_t i = begin; begin != std::u16string::npos && i <= end; ++i) {
        if (number[i] < u'0' || number[i] > u'9' || n > kMessages) {
            return {};
        }
        n = n * 10 + (number[i] - u'0');
    }
    if (n < 1 || n > kMessages) {
        return {};
    }
    // "% 2u : %s"
    return (n < 10 ? u" " : u"") + DecimalText(n) + u" : " + doc.Get(u"msg", n - 1);
}

std::vector<PageChoice> MessageChoices(const CTalveroDoc& doc) {
    std::vector<PageChoice> choices;
    for (unsigned n = 1; n <= kMessages; ++n) {
        const std::u16string number = DecimalText(n);
        choices.push_back({number, 0, MessageChoiceText(doc, number)});
    }
    return choices;
}

PageRow MessageRow(uint32_t labelId, std::u16string key, std::string helpPage) {
    return DocumentChoiceRow(labelId, std::move(key), std::move(helpPage), MessageChoices, MessageChoiceText);
}

std::vector<PageChoice> ValueChoices(const std::vector<std::u16string_view>& values) {
    std::vector<PageChoice> choices;
    for (std::u16string_view value : values) {
        choices.push_back({std::u16string(value), 0, std::u16string(value)});
    }
    return choices;
}
