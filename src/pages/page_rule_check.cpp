#include "pages/page_rule_check.h"

#include "document/jis_text.h"
#include "document/refusal_reason.h"
#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "document/value_rules.h"
#include "pages/page_declaration.h"
#include "platform/code_page.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

enum : uint32_t {
    kTextIdNotDisplayable = 430,
    kTextIdLineBreak = 2162,
    kTextIdValueRefused = 2175,
    kTextIdTooLong = 2176,
    kTextIdTooWide = 2177,
    kTextIdCharacter = 2178,
    kTextIdNotListed = 2179,
};
// A refused choice names this many items at most, then the last one.
constexpr size_t kListedChoicesShown = 8;

PageVerdict Refused(uint32_t messageId, std::vector<int64_t> args = {}, std::u16string text = {}) {
    PageVerdict verdict;
    verdict.accepted = false;
    verdict.messageId = messageId;
    verdict.args = std::move(args);
    verdict.text = std::move(text);
    return verdict;
}

// The row's own message with its arguments, or `fallback` when it has none.
PageVerdict RefusalOfRow(uint32_t errorId, const TextRowRule& rule, PageVerdict fallback) {
    return errorId != 0 ? Refused(errorId, rule.errorArgs) : fallback;
}

std::u16string ListedTexts(const std::vector<PageChoice>& choices) {
    std::u16string list;
    for (size_t i = 0; i < choices.size(); ++i) {
        if (choices.size() > kListedChoicesShown + 1 && i == kListedChoicesShown) {
            list += u", \u2026";
            i = choices.size() - 1;
        }
        list += (list.empty() ? u"" : u", ") + ShownChoiceText(choices[i]);
    }
    return list;
}

// A character as a message shows it: a control character as U+XXXX.
std::u16string ShownCharacter(std::u16string_view value, size_t at) {
    const char16_t c = value[at];
    if (c < 0x20 || c == 0x7F) {
        static const char16_t kHex[] = u"0123456789ABCDEF";
        return {u'U', u'+', u'0', u'0', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
    }
    const bool pair = c >= 0xD800 && c < 0xDC00 && at + 1 < value.size();
    return std::u16string(value.substr(at, pair ? 2 : 1));
}

// What the row's editor holds a typed or pasted text to.
// `errorId`: the row's message for any of them; 0: a message per limit.
PageVerdict CheckText(uint32_t errorId, const TextRowRule& rule, std::u16string_view value) {
    for (size_t i = 0; i < value.size(); ++i) {
        const char16_t c = value[i];
        // A one-line editor never takes a control character, whatever its row allows.
        const bool allowed = c >= 0x20 && c != 0x7F && (!rule.asciiOnly || c < 0x80) &&
                             (rule.allowedChars.empty() || rule.allowedChars.find(c) != std::u16string::npos);
        if (!allowed) {
            return RefusalOfRow(errorId, rule, Refused(kTextIdCharacter, {}, ShownCharacter(value, i)));
        }
    }
    if (rule.maxChars > 0 && value.size() > static_cast<size_t>(rule.maxChars)) {
        return RefusalOfRow(errorId, rule, Refused(kTextIdTooLong, {rule.maxChars}));
    }
    if (rule.maxAnsiBytes > 0 && ToAnsi(value).size() > static_cast<size_t>(rule.maxAnsiBytes)) {
        return RefusalOfRow(errorId, rule, Refused(kTextIdTooLong, {rule.maxAnsiBytes}));
    }
    if (rule.maxUtf8Bytes > 0 && Utf16ToUtf8(value).size() > static_cast<size_t>(rule.maxUtf8Bytes)) {
        return RefusalOfRow(errorId, rule, Refused(kTextIdTooLong, {rule.maxUtf8Bytes}));
    }
    if (rule.maxWidth > 0 && TextWidth(value) > static_cast<size_t>(rule.maxWidth)) {
        return RefusalOfRow(errorId, rule, Refused(kTextIdTooWide, {rule.maxWidth}));
    }
    if (rule.jisCheck && !IsJisText(value)) {
        return Refused(kTextIdNotDisplayable);
    }
    return {};
}

bool Lists(const std::vector<PageChoice>& choices, std::u16string_view value) {
    for (const PageChoice& choice : choices) {
        if (choice.value == value) {
            return true;
        }
    }
    return false;
}

// The page's answer before the setter's: the choices a combo lists, the limits of an editor.
PageVerdict CheckRow(const CTalveroDoc& doc, const PageRow& row, SettingId id, std::u16string_view value) {
    if (row.readOnly) {
        return Refused(kTextIdValueRefused);
    }
    switch (row.kind) {
        case PageRow::Kind::kSection:
            return {};
        case PageRow::Kind::kChoice:
            return Lists(row.choices, value) ? PageVerdict{}
                                             : Refused(kTextIdNotListed, {}, ListedTexts(row.choices));
        case PageRow::Kind::kDocumentChoice: {
            const std::vector<PageChoice> listed =
                row.listChoices ? row.listChoices(doc) : std::vector<PageChoice>{};
            return !value.empty() && Lists(listed, value)
                       ? PageVerdict{}
                       : Refused(kTextIdNotListed, {}, ListedTexts(listed));
        }
        case PageRow::Kind::kIdentifierOrNumber:
            // The number half has no message of its own.
            if (SettingsCatalogue()[id.def].name == row.numberKey) {
                return CheckText(0, row.numberRule, value);
            }
            return CheckText(row.errorId, RuleNow(row, doc, id.index), value);
        case PageRow::Kind::kText:
        case PageRow::Kind::kPassword:
            return CheckText(row.errorId, RuleNow(row, doc, id.index), value);
    }
    return {};
}

// The setter's refusal as the page words it (`row` null: no page edits the setting).
PageVerdict SetterRefusal(const CTalveroDoc& doc, const PageRow* row, SettingId id,
                          std::u16string_view value) {
    if (HoldsLineBreakOrNul(value)) {
        return Refused(kTextIdLineBreak);
    }
    if (!row) {
        PageVerdict verdict = Refused(0);
        verdict.reason = RefusalReason(id);
        return verdict;
    }
    const bool number = !row->numberKey.empty() && SettingsCatalogue()[id.def].name == row->numberKey;
    // The number half of an identifier row has no message of its own.
    return number ? Refused(kTextIdValueRefused)
                  : RefusalOfRow(row->errorId, RuleNow(*row, doc, id.index), Refused(kTextIdValueRefused));
}

}  // namespace

std::string PageVerdict::Message() const {
    if (accepted) {
        return {};
    }
    if (messageId == 0) {
        return reason;
    }
    std::vector<FormatArg> formatArgs;
    if (!text.empty()) {
        formatArgs.emplace_back(text);
    }
    for (int64_t arg : args) {
        formatArgs.emplace_back(static_cast<long long>(arg));
    }
    return Utf16ToUtf8(FormatText(GetLanguageText(messageId), formatArgs));
}

std::optional<PagePlace> FindPagePlace(SettingId id) {
    const std::u16string_view name = SettingsCatalogue()[id.def].name;
    for (const PageDeclaration& page : PageDeclarations()) {
        if (page.table) {
            for (const TableColumn& column : page.table->columns) {
                const PageRow& cell = column.cell;
                const bool edits = cell.key == name || (!cell.numberKey.empty() && cell.numberKey == name);
                if (edits && id.index < page.table->members) {
                    return PagePlace{&page, &cell};
                }
            }
            continue;
        }
        for (const PageRow& row : page.rows) {
            if (row.kind != PageRow::Kind::kSection && row.member == id.index &&
                (row.key == name || (!row.numberKey.empty() && row.numberKey == name))) {
                return PagePlace{&page, &row};
            }
        }
    }
    return std::nullopt;
}

namespace {

// The row's answer for a typed value, and the value its setter is given.
PageVerdict CheckTyped(const CTalveroDoc& doc, const PageRow& row, SettingId id, std::u16string_view typed,
                       std::u16string& stored) {
    stored.assign(typed);
    if (HoldsLineBreakOrNul(typed)) {
        return Refused(kTextIdLineBreak);
    }
    const bool ownKey = row.key == SettingsCatalogue()[id.def].name;
    if (ownKey && row.ownRule) {
        if (RowRefusal own = row.ownRule(typed); own.messageId != 0) {
            return Refused(own.messageId, std::move(own.args));
        }
    }
    if (PageVerdict verdict = CheckRow(doc, row, id, typed); !verdict.accepted) {
        return verdict;
    }
    if (ownKey && row.convert) {
        if (RowRefusal converted = row.convert(typed, stored); converted.messageId != 0) {
            return Refused(converted.messageId, std::move(converted.args));
        }
    }
    return doc.Accepts(id, stored) ? PageVerdict{} : SetterRefusal(doc, &row, id, stored);
}

}  // namespace

PageVerdict CheckRowValue(const CTalveroDoc& doc, const PageRow& row, SettingId id,
                          std::u16string_view value) {
    std::u16string stored;
    return CheckTyped(doc, row, id, value, stored);
}

PageVerdict SetThroughRow(CTalveroDoc& doc, const PageRow& row, SettingId id, std::u16string_view value) {
    std::u16string converted;
    PageVerdict verdict = CheckTyped(doc, row, id, value, converted);
    if (!verdict.accepted) {
        return verdict;
    }
    const bool stored = row.store && row.key == SettingsCatalogue()[id.def].name
                            ? row.store(doc, id.index, converted)
                            : doc.Set(id, converted);
    return stored ? verdict : SetterRefusal(doc, &row, id, converted);
}

PageVerdict CheckPageValue(const CTalveroDoc& doc, SettingId id, std::u16string_view value) {
    const std::optional<PagePlace> place = FindPagePlace(id);
    if (place) {
        return CheckRowValue(doc, *place->row, id, value);
    }
    if (HoldsLineBreakOrNul(value)) {
        return Refused(kTextIdLineBreak);
    }
    return doc.Accepts(id, value) ? PageVerdict{} : SetterRefusal(doc, nullptr, id, value);
}

PageVerdict SetThroughPage(CTalveroDoc& doc, SettingId id, std::u16string_view value) {
    const std::optional<PagePlace> place = FindPagePlace(id);
    if (place) {
        return SetThroughRow(doc, *place->row, id, value);
    }
    PageVerdict verdict = CheckPageValue(doc, id, value);
    if (verdict.accepted && !doc.Set(id, value)) {
        return SetterRefusal(doc, nullptr, id, value);
    }
    return verdict;
}

PageVerdict CheckStoredValue(const CTalveroDoc& doc, SettingId id) {
    const std::optional<PagePlace> place = FindPagePlace(id);
    if (!place) {
        return {};
    }
    return CheckRow(doc, *place->row, id, doc.Get(id));
}
