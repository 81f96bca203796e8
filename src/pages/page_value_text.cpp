#include "pages/page_value_text.h"

#include "document/secret_keys.h"
#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "pages/page_declaration.h"
#include "pages/page_rule_check.h"
#include "pages/setting_places.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextIdTableEntry = 2182;  // %u: the entry, %s: the column

// The text a choice row gives `value`: a shown-only text, else a choice's; none for a value
// neither lists.
std::optional<std::u16string> ChoiceRowText(const PageRow& row, std::u16string_view value) {
    for (const std::vector<PageChoice>* list : {&row.shownOnly, &row.choices}) {
        for (const PageChoice& choice : *list) {
            if (choice.value == value) {
                return ShownChoiceText(choice);
            }
        }
    }
    return std::nullopt;
}

std::u16string PageShown(const CTalveroDoc& doc, const PagePlace& place, std::u16string_view value) {
    const PageRow& row = *place.row;
    switch (row.kind) {
        case PageRow::Kind::kChoice:
            if (auto text = ChoiceRowText(row, value)) {
                return *text;
            }
            return std::u16string(value);
        case PageRow::Kind::kDocumentChoice:
            return row.describe ? row.describe(doc, std::u16string(value)) : std::u16string(value);
        case PageRow::Kind::kPassword:
            return MaskText(value);
        default:
            return std::u16string(value);
    }
}

}  // namespace

std::optional<ShownSettingPlace> ShownPlaceOf(std::u16string_view key) {
    const auto place = FindSettingPlace(key);
    if (!place) {
        return std::nullopt;
    }
    ShownSettingPlace shown{place->nodeId, GetLanguageText(place->pageTitleId),
                            GetLanguageText(place->labelId)};
    if (const auto id = FindSettingByKey(key)) {
        if (const auto page = FindPagePlace(*id); page && page->page->table) {
            shown.label =
                FormatLanguageText(kTextIdTableEntry, {static_cast<unsigned>(id->index + 1), shown.label});
        }
    }
    return shown;
}

std::u16string ComparedValue(const CTalveroDoc& doc, std::u16string_view key, std::u16string_view value) {
    if (IsSecretKey(key)) {
        return MaskedSecret(value);
    }
    const auto id = FindSettingByKey(key);
    const auto place = id ? FindPagePlace(*id) : std::nullopt;
    if (!place) {
        return std::u16string(value);
    }
    const std::u16string shown = PageShown(doc, *place, value);
    if (shown == value) {
        return shown;
    }
    return shown + u" (" + std::u16string(value) + u")";
}
