#pragma once
// What a settings page declares for each of its rows; the framework (CListViewBase) does the
// layout, the refresh, the editors, the commit, the messages and the dependency rules from it.
// A row names its setting; everything the settings catalogue already knows about that setting
// (limits, allowed characters, refusal arguments) comes from there, and the row states only
// what the page does differently.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "pages/text_row_rule.h"

class CTalveroDoc;

// One item of a combo: the value stored in the document and the text shown for it, either a
// language text (textId) or a literal (numbers). textId 0 with an empty literal is the empty item.
struct PageChoice {
    PageChoice(std::u16string value, uint32_t textId, std::u16string literal = {})
        : value(std::move(value)), textId(textId), literal(std::move(literal)) {}
    std::u16string value;
    uint32_t textId = 0;
    std::u16string literal;
};

// A refusal a row declares: its message and the message's arguments (messageId 0: accepted).
struct RowRefusal {
    uint32_t messageId = 0;
    std::vector<int64_t> args;
};

struct PageRow {
    enum class Kind {
        kSection,
        kChoice,          // fixed items, declared with the row
        kDocumentChoice,  // items read from the document each time the combo opens
        kText,
        kPassword,
        // An identifier or, while the row's type setting is "tel", a telephone number; blank and
        // read-only while the type is "all".
        kIdentifierOrNumber,
    };
    Kind kind = Kind::kText;
    uint32_t labelId = 0;
    std::u16string key;  // setting name; empty for sections
    // The member of an indexed family the row edits on a page of rows (a WLAN profile's rows);
    // table pages number their members themselves.
    unsigned member = 0;
    std::string helpPage;  // e.g. "def_id.htm"; left empty: the key + ".htm"

    // Choice rows: the pairs in the order the combo lists them. They are the row's own: no other
    // row's choices give this row's values a text.
    std::vector<PageChoice> choices;
    // Values a stored configuration may hold that the combo does not offer, with the texts they
    // show as: shown, never offered.
    std::vector<PageChoice> shownOnly;
    // A stored value neither list holds shows as itself instead of an empty cell.
    bool unlistedShowsValue = false;

    // Document choice rows: the items as the document holds them now (kept in "combobox_temp"
    // while the combo is open), and the text of a stored value. Choosing the empty item stores
    // nothing.
    std::function<std::vector<PageChoice>(const CTalveroDoc& doc)> listChoices;
    std::function<std::u16string(const CTalveroDoc& doc, const std::u16string& value)> describe;

    // Text rows: the refusal message (choice rows: the message of a refusal by a rule across
    // settings); the editor's rule is the catalogue's, changed by `adjust`.
    uint32_t errorId = 0;
    std::function<void(TextRowRule& rule)> adjust;
    TextRowRule rule;  // the result, filled in when the page is declared
    // Text rows whose limits follow the document (a key's length follows its encryption): the
    // rule as the document is now; unset: `rule`.
    std::function<TextRowRule(const CTalveroDoc& doc, unsigned index)> ruleNow;

    // Text rows: a rule of the row's own on the typed text, beyond its editor's limits (an ID
    // list name may not be empty), and what is stored for the typed text (a reading becomes
    // half-width; refused with the conversion's message when it cannot be).
    std::function<RowRefusal(std::u16string_view typed)> ownRule;
    std::function<RowRefusal(std::u16string_view typed, std::u16string& stored)> convert;

    // Text rows: the editor opens for selecting and copying only, and nothing is ever stored.
    bool readOnly = false;

    // Identifier-or-number rows: `key` is the identifier, `typeKey` the type setting that decides
    // what the row edits and `numberKey` the telephone number. The identifier is stored through
    // its setter (refused: `errorId` with the rule's arguments); the number is stored as typed.
    std::u16string typeKey;
    std::u16string numberKey;
    TextRowRule numberRule;  // filled in when the page is declared

    // How an accepted choice or text reaches the document; unset: the setting's validating
    // setter. Returns false for a refusal.
    std::function<bool(CTalveroDoc& doc, unsigned index, const std::u16string& value)> store;

    // The row is enabled only while this holds (reads the document, never the cells). A disabled
    // row is blank unless it keeps its text, and an edit that ends after its row was disabled
    // stores nothing. On a table page the second argument is the member index of the cell's row.
    std::function<bool(const CTalveroDoc& doc, int setIndex)> enabledWhen;
    bool keepTextWhenDisabled = false;
    // After a commit of this row every row of the page is loaded again (its setter changes others).
    bool refreshPageOnCommit = false;
};

// The row's text rule for the document as it is now.
inline TextRowRule RuleNow(const PageRow& row, const CTalveroDoc& doc, unsigned index) {
    return row.ruleNow ? row.ruleNow(doc, index) : row.rule;
}

// The text a choice shows: its literal, else its language text.
std::u16string ShownChoiceText(const PageChoice& choice);

// Row builders: a page writes its declarations as these plus the few fields a row needs.
inline PageRow SectionRow(uint32_t labelId) {
    PageRow row;
    row.kind = PageRow::Kind::kSection;
    row.labelId = labelId;
    return row;
}

inline PageRow ChoiceRow(uint32_t labelId, std::u16string key, std::string helpPage,
                         std::vector<PageChoice> choices) {
    PageRow row;
    row.kind = PageRow::Kind::kChoice;
    row.labelId = labelId;
    row.key = std::move(key);
    row.helpPage = std::move(helpPage);
    row.choices = std::move(choices);
    return row;
}

inline PageRow DocumentChoiceRow(
    uint32_t labelId, std::u16string key, std::string helpPage,
    std::function<std::vector<PageChoice>(const CTalveroDoc& doc)> listChoices,
    std::function<std::u16string(const CTalveroDoc& doc, const std::u16string& value)> describe) {
    PageRow row;
    row.kind = PageRow::Kind::kDocumentChoice;
    row.labelId = labelId;
    row.key = std::move(key);
    row.helpPage = std::move(helpPage);
    row.listChoices = std::move(listChoices);
    row.describe = std::move(describe);
    return row;
}

// A combo of values each shown as itself (numbers, levels, angles): a stored value the combo
// lacks is still shown as stored.
inline PageRow ValueChoiceRow(uint32_t labelId, std::u16string key, std::string helpPage,
                              std::vector<PageChoice> choices, uint32_t errorId = 0) {
    PageRow row = ChoiceRow(labelId, std::move(key), std::move(helpPage), std::move(choices));
    row.unlistedShowsValue = true;
    row.errorId = errorId;
    return row;
}

inline PageRow IdentifierOrNumberRow(uint32_t labelId, std::u16string key, std::string helpPage,
                                     std::u16string typeKey, std::u16string numberKey, uint32_t errorId) {
    PageRow row;
    row.kind = PageRow::Kind::kIdentifierOrNumber;
    row.labelId = labelId;
    row.key = std::move(key);
    row.helpPage = std::move(helpPage);
    row.typeKey = std::move(typeKey);
    row.numberKey = std::move(numberKey);
    row.errorId = errorId;
    return row;
}

inline PageRow TextRow(uint32_t labelId, std::u16string key, std::string helpPage, uint32_t errorId = 0) {
    PageRow row;
    row.kind = PageRow::Kind::kText;
    row.labelId = labelId;
    row.key = std::move(key);
    row.helpPage = std::move(helpPage);
    row.errorId = errorId;
    return row;
}

// ---- the choice lists pages share ---------------------------------------------------------

// Text IDs shared by many pages.
inline constexpr uint32_t kTextOff = 2500, kTextOn = 2501, kTextTone1 = 2511;

// A number written "%d", as choice values and literals are.
std::u16string DecimalText(int64_t n);
// "off" and "on" as text IDs 2500 and 2501.
std::vector<PageChoice> OffOnChoices();
// "none" as 2500, then "tone1" … "tone8" as 2511 … 2518.
std::vector<PageChoice> ToneChoices();
// The numbers from `first` to `last` in steps of `step`, each shown as itself ("%d").
std::vector<PageChoice> NumberChoices(int first, int last, int step = 1);
// The numbers from `first` to `last` ("%d"), each shown as itself, after `leading` (items with
// texts of their own such as "off").
std::vector<PageChoice> NumberChoices(std::vector<PageChoice> leading, int first, int last);
// Each value shown as itself.
std::vector<PageChoice> ValueChoices(const std::vector<std::u16string_view>& values);
// The identifier types of a call target: "indi", "group", "talkgrp", "all", "tel".
std::vector<PageChoice> IdTypeChoices();
// The ten fixed messages as the items of a document choice row ("% 2u : %s"), and the text of a
// stored message number (empty when it names no message).
std::vector<PageChoice> MessageChoices(const CTalveroDoc& doc);
std::u16string MessageChoiceText(const CTalveroDoc& doc, const std::u16string& number);
// Values of a catalogue list paired in order with text IDs (the two lists are the same length).
std::vector<PageChoice> ListChoices(const std::vector<std::u16string_view>& values,
                                    const std::vector<uint32_t>& textIds);

// A document choice row that picks one of the ten messages by its current text.
PageRow MessageRow(uint32_t labelId, std::u16string key, std::string helpPage);

// ---- table pages ----------------------------------------------------------------------------

// One value column of a table page: its heading, width and the cell every member row holds
// (`cell.key` is the field of the indexed family; its help page is the column's).
struct TableColumn {
    uint32_t headingId = 0;  // 0: empty heading
    int width = 0;
    PageRow cell;
};

// A table page: row 0 the section, row 1 the column headings in bold, then one row per member
// of an indexed family, numbered in column 0.
struct TableLayout {
    uint32_t titleId = 0;
    uint32_t sectionId = 0;
    int numberWidth = 40;
    int numberDigits = 0;  // 3: "001"; 0: "1"
    unsigned members = 0;
    bool helpPerColumn = false;  // false: every member row has the first value column's help
    std::vector<TableColumn> columns;
};
inline constexpr int kTableFirstRow = 2;
