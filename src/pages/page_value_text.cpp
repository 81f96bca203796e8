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

// The text a page's value table gives `value` in the row's table: the page's own value texts
// first (added last, they win), then the rows sharing the table, the last one first.
std::optional<std::u16string> TableText(const PageDeclaration& page, const PageRow& row,
                                        std::u16string_view value) {
    for (auto it = page.valueTexts.rbegin(); it != page.valueTexts.rend(); ++it) {
        if (it->table == row.table && it->value == value) {
            return it->textId != 0 ? GetLanguageText(it->textId) : it->literal;
        }
    }
    auto search = [&](const PageRow& other) -> std::optional<std::u16string> {
        if (other.kind != PageRow::Kind::kChoice || other.table != row.table) {
            return std::nullopt;
        }
        for (const PageChoice& choice : other.choices) {
            if (choice.value == value) {
                return ShownChoiceText(choice);
            }
        }
        return std::nullopt;
    };
    if (page.table) {
        for (auto it = page.table->columns.rbegin(); it != page.table->columns.rend(); ++it) {
            if (auto text = search(it->cell)) {
                return text;
            }
        }
    }
    for (auto it = page.rows.rbegin(); it != page.rows.rend(); ++it) {
        if (auto text = search(*it)) {
            return text;
        }
    }
    return std::nullopt;
}

std::u16string PageShown(const CTalveroDoc& doc, const PagePlace& place, std::u16string_view value) {
    const PageRow& row = *place.row;
    switch (row.kind) {
        case PageRow::Kind::kChoice:
            if (auto text = TableText(*place.page, row, value)) {
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
