#pragma once
// Where each setting is edited: the page (tree node ID and the node's caption text ID) and the
// text ID of the row's label (a table's column heading), derived from the page declarations in
// the order of the tree. Code without windows (the command-line tool, comparisons) names a
// setting the way the program shows it from this table.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct SettingPlace {
    std::u16string_view name;  // the setting's catalogue name ("disp_item", "name", "wlan_ssid")
    uint32_t nodeId;           // the page's tree node
    uint32_t pageTitleId;      // the text of the page's tree node
    uint32_t labelId;          // the text of the row's label
};

const std::vector<SettingPlace>& SettingPlaces();
// The place of the setting a file or radio key names ("disp_item_01", "name_01_07"); nullopt for
// a setting no page shows.
std::optional<SettingPlace> FindSettingPlace(std::u16string_view key);
