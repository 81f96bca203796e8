#pragma once
// How the pages show a setting, for every comparison (talvero-cli diff, both Compare windows, the
// verify list): where it lives, naming the entry of a table row, and its value as the page shows
// it (a choice's text, a talk group's description, a secret masked) with the stored value after it
// where the two differ: "Individual (indi)".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CTalveroDoc;

struct ShownSettingPlace {
    uint32_t nodeId = 0;
    std::u16string page;   // the page's tree caption
    std::u16string label;  // the row's label; a table row's with its entry: "Entry 7: Name"
};
// Nullopt for a key no page shows.
std::optional<ShownSettingPlace> ShownPlaceOf(std::u16string_view key);

// `value` of `key` as the page would show it in `doc` (the document gives the context: the names
// of the talk groups, the messages, the certificates), then the stored value in parentheses when
// the page shows something else. A secret shows masked only.
std::u16string ComparedValue(const CTalveroDoc& doc, std::u16string_view key, std::u16string_view value);
