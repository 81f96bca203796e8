// The table of where each setting is edited names only settings of the catalogue, each once, and
// finds a setting by any of its keys.
#include <gtest/gtest.h>

#include <set>

#include "document/settings_catalogue.h"
#include "pages/setting_places.h"

namespace {

TEST(SettingPlaces, EveryPlaceNamesOneCatalogueSetting) {
    std::set<std::u16string_view> seen;
    for (const SettingPlace& place : SettingPlaces()) {
        EXPECT_TRUE(FindSettingDef(place.name).has_value())
            << std::string(place.name.begin(), place.name.end());
        EXPECT_TRUE(seen.insert(place.name).second) << std::string(place.name.begin(), place.name.end());
        EXPECT_NE(place.labelId, 0u);
        EXPECT_NE(place.pageTitleId, 0u);
    }
}

TEST(SettingPlaces, FoundByEveryKeyForm) {
    struct Case {
        std::u16string_view key;
        uint32_t nodeId;  // 0: no page shows it
    };
    const Case cases[] = {
        {u"tx_start_indi_tone_01", 1007},
        {u"name_01_500", 1021},
        {u"access_pass", 1035},
        {u"wlan_ssid_10", 1037},
        {u"eap_cert_name_04", 1038},
        {u"iccid", 1003},
        {u"tx_ban_01", 1006},
        {u"no_such_key_01", 0},
        {u"", 0},
    };
    for (const Case& c : cases) {
        const auto place = FindSettingPlace(c.key);
        EXPECT_EQ(place ? place->nodeId : 0u, c.nodeId) << std::string(c.key.begin(), c.key.end());
    }
}

}  // namespace
