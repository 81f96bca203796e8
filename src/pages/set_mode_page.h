#pragma once
// The setting-mode permissions page (node 1036): a section, then one row per item of the radio's
// setting mode. Each value packs two flags, 2 × high + low, so it holds 0 to 3; the page shows
// the flags as two yes/no cells (the low flag first) under a row of headings, and does not offer
// the reset item's low flag for editing.
#include <cstdint>
#include <vector>

#include "pages/page_row.h"

namespace set_mode_page {

inline constexpr uint32_t kNodeId = 1036;
// The heading row the page shows after the section, before the permission rows.
inline constexpr uint32_t kItemHeading = 9502, kLowHeading = 9503, kHighHeading = 9504;
// The texts of a flag.
inline constexpr uint32_t kFlagOff = 2585, kFlagOn = 2586;
inline constexpr char16_t kResetKey[] = u"setmode_reset";
inline constexpr int kLabelWidth = 470, kFlagWidth = 150;

// A flag's two values, "0" and "1", with their texts.
inline std::vector<PageChoice> FlagChoices() {
    return {{u"0", kFlagOff}, {u"1", kFlagOn}};
}

}  // namespace set_mode_page
