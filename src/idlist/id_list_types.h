#pragma once
// The ID list CSV carries the type of an entry as its display text from the language table, not
// as the stored word, so that a spreadsheet shows what the program shows.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct IdListType {
    std::u16string_view stored;  // the "id_type" value
    uint32_t textId;             // the text ID of its display text
};

inline constexpr std::array<IdListType, 4> kIdListTypes = {{
    {u"indi", 2535},
    {u"group", 2533},
    {u"user_group", 2537},
    {u"tel", 2539},
}};

// Text ID of the warning line for a name shortened to the display width.
inline constexpr uint32_t kTextIdIdNameShortened = 2155;
// Widest name the radio displays (TextWidth).
inline constexpr size_t kIdNameMaxWidth = 32;
