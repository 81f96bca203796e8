#include "pages/page_list.h"

namespace {
// 0 seconds is "off"; a stored time the combo does not offer is shown as its number.
PageRow TimeRow(uint32_t labelId, std::u16string key, std::string helpPage) {
    std::vector<PageChoice> times = {{u"0", kTextOff}};
    for (PageChoice& seconds : NumberChoices(1, 30)) {
        times.push_back(std::move(seconds));
    }
    PageRow row = ChoiceRow(labelId, std::move(key), std::move(helpPage), std::move(times));
    row.unlistedShowsValue = true;
    return row;
}
}  // namespace

PageDeclaration RxTalkBackPage() {
    return RowsPage(1013, 8150,
                    {SectionRow(8151), TextRow(8152, u"talk_back_time_phone", {}, 8155),
                     TimeRow(8153, u"talk_back_time", {}), TimeRow(8156, u"talk_back_time_emer", {}),
                     ChoiceRow(8154, u"talk_back_calling", {}, OffOnChoices())});
}
