#pragma once
// One answer, for every path, to "may this setting hold this value?": what the page's editor and
// commit answer when the value is typed or chosen in the row that edits the setting (limits,
// character sets, the display-text check, the listed choices, the setter's own rule and the rules
// across settings), with the page's message and its arguments. The program's commit, the command
// line's `set`, the fleet's check and run all ask here. A setting no page edits answers by the
// document's own rule alone.
//
// Enabling is not part of the answer: a file or fleet row sets several settings in one go, in any
// order, so a value for a row the page shows disabled is judged by its own rules.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/settings_catalogue.h"

class CTalveroDoc;
struct PageDeclaration;
struct PageRow;

struct PageVerdict {
    bool accepted = true;
    uint32_t messageId = 0;  // a refusal: the page's message text ID
    // The message's arguments: a text first (a character, the listed choices) when it has one,
    // then numbers (limits).
    std::u16string text;
    std::vector<int64_t> args;
    // A refusal of a setting no page edits: the document rule's reason (messageId 0).
    std::string reason;
    // The refusal in the loaded language, one line (UTF-8); empty when accepted.
    std::string Message() const;
};

// The page and row that edit a setting (member `id.index`); nullopt when no page edits it.
struct PagePlace {
    const PageDeclaration* page = nullptr;
    const PageRow* row = nullptr;
};
std::optional<PagePlace> FindPagePlace(SettingId id);

// The answer of one row (as a page holds it) for `value` given to member `id.index` of its setting
// `id` (the row's key or, for an identifier row, its number key); nothing is changed.
PageVerdict CheckRowValue(const CTalveroDoc& doc, const PageRow& row, SettingId id,
                          std::u16string_view value);
// The same answer, and an accepted value stored the row's way.
PageVerdict SetThroughRow(CTalveroDoc& doc, const PageRow& row, SettingId id, std::u16string_view value);

// The answer for `value` in the document as it is; nothing is changed.
PageVerdict CheckPageValue(const CTalveroDoc& doc, SettingId id, std::u16string_view value);
// The same answer, and an accepted value stored.
PageVerdict SetThroughPage(CTalveroDoc& doc, SettingId id, std::u16string_view value);
// Why a value already stored would be refused by its page, without the setter (a stored value
// passed the document's rule when it was loaded); accepted when the page would take it.
PageVerdict CheckStoredValue(const CTalveroDoc& doc, SettingId id);
