#pragma once
// What a settings page declares for each of its rows; the framework (CListViewBase) does the
// layout, the refresh, the editors, the commit, the messages and the dependency rules from it.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTalveroDoc;

struct PageChoice {
    std::u16string value;  // as stored in the document
    uint32_t textId;       // as shown to the user
};

struct PageRow {
    enum class Kind { kSection, kChoice, kText, kPassword };
    Kind kind = Kind::kText;
    uint32_t labelId = 0;
    std::u16string key;    // setting name; empty for sections
    std::string helpPage;  // e.g. "def_id.htm"; empty: no help
    // Choice rows: the pairs in the order the combo lists them, kept in `table`.
    std::vector<PageChoice> choices;
    std::u16string table = u"default";
    // Text rows: limits and characters (the editors' rules), the refusal message and its
    // printf arguments, and the display-text check that names, messages and status texts get.
    int maxChars = 0;
    int maxAnsiBytes = 0;
    int maxUtf8Bytes = 0;
    int maxWidth = 0;
    std::u16string allowedChars;
    bool asciiOnly = false;
    uint32_t errorId = 0;
    std::vector<int64_t> errorArgs;
    bool jisCheck = false;
    // The row is enabled only while this holds (reads the document, never the cells).
    std::function<bool(const CTalveroDoc& doc, int setIndex)> enabledWhen;
};

inline constexpr char16_t kDigitChars[] = u"0123456789";
inline constexpr char16_t kPhoneChars[] = u"0123456789#*";
inline constexpr char16_t kAddressChars[] = u"0123456789.";
// Space to tilde.
std::u16string PrintableAsciiChars();

// Row builders: a page writes its declarations as these plus the few fields a row needs.
inline PageRow SectionRow(uint32_t labelId) {
    PageRow row;
    row.kind = PageRow::Kind::kSection;
    row.labelId = labelId;
    return row;
}

inline PageRow ChoiceRow(uint32_t labelId, std::u16string key, std::string helpPage,
                         std::vector<PageChoice> choices, std::u16string table = u"default") {
    PageRow row;
    row.kind = PageRow::Kind::kChoice;
    row.labelId = labelId;
    row.key = std::move(key);
    row.helpPage = std::move(helpPage);
    row.choices = std::move(choices);
    row.table = std::move(table);
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
