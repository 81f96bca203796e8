#include "document/talvero_doc.h"
#include "pages/page_list.h"

namespace {

constexpr uint32_t kNoSwitch = 9188;

// The signal levels from -`strongest` down to -`weakest`, each shown as itself.
std::vector<PageChoice> Levels(int strongest, int weakest) {
    std::vector<PageChoice> levels;
    for (int n = strongest; n <= weakest; ++n) {
        levels.push_back({DecimalText(-n), 0, DecimalText(-n)});
    }
    return levels;
}

// The level at which a line is left: "no switching" or one of the line's levels.
PageRow DownThresholdRow(uint32_t labelId, std::u16string key, std::string helpPage, int strongest,
                         int weakest) {
    std::vector<PageChoice> choices = {{u"0", kNoSwitch}};
    for (PageChoice& level : Levels(strongest, weakest)) {
        choices.push_back(std::move(level));
    }
    // A level from the other line's range, or any other stored level, shows as its number.
    PageRow row = ChoiceRow(labelId, std::move(key), std::move(helpPage), std::move(choices));
    row.unlistedShowsValue = true;
    return row;
}

}  // namespace

PageDeclaration CommunicationSettingPage() {
    PageRow interval = TextRow(9168, u"bg_interval", {}, 9189);
    interval.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"bg_interval_sw") == u"on"; };
    PageDeclaration page = RowsPage(
        1031, 9150,
        {SectionRow(9151), ChoiceRow(9152, u"mode", {}, {{u"half", 9154}, {u"full", 9153}}), SectionRow(9161),
         ChoiceRow(9162, u"active_line", {},
                   {{u"lte_only", 9184}, {u"wlan_only", 9185}, {u"lte_auto", 9186}, {u"wlan_auto", 9187}}),
         DownThresholdRow(9163, u"lte_down_thresh", {}, 3, 20),
         ValueChoiceRow(9164, u"lte_up_thresh", {}, Levels(3, 20)),
         DownThresholdRow(9165, u"wlan_down_thresh", {}, 10, 130),
         ValueChoiceRow(9166, u"wlan_up_thresh", {}, Levels(10, 130)),
         ValueChoiceRow(9167, u"monitor_time", {}, NumberChoices(1, 60)),
         ChoiceRow(9169, u"bg_interval_sw", {}, OffOnChoices()), interval});
    page.labelWidth = 360;
    return page;
}
