#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"

namespace {
struct CallGroup {
    const char16_t* type;  // "indi", "group", "all", "tel"
    uint32_t sectionId;    // then the labels of tone, notice and repetitions
};
constexpr CallGroup kGroups[] = {{u"indi", 8051}, {u"group", 8055}, {u"all", 8059}, {u"tel", 8063}};
}  // namespace

PageDeclaration RxNotifyTonePage() {
    const std::vector<PageChoice> notices = ListChoices(choice_lists::kNoticeSounds, {2555, 2556});
    const std::vector<PageChoice> counts =
        ListChoices(choice_lists::kToneCounts, {2550, 2551, 2552, 2553, 2554});
    std::vector<PageRow> rows;
    for (const CallGroup& group : kGroups) {
        const std::u16string tone = u"call_" + std::u16string(group.type) + u"_tone";
        const std::string help(tone.begin(), tone.end());
        PageRow notice = ChoiceRow(group.sectionId + 2, tone + u"_notice", help + "_notice.htm", notices);
        PageRow count = ChoiceRow(group.sectionId + 3, tone + u"_cnt", help + "_cnt.htm", counts);
        // A group's notice sound and repetitions matter only while the group has a tone.
        for (PageRow* row : {&notice, &count}) {
            row->enabledWhen = [tone](const CTalveroDoc& doc, int) { return doc.Get(tone) != u"none"; };
        }
        rows.push_back(SectionRow(group.sectionId));
        rows.push_back(ChoiceRow(group.sectionId + 1, tone, help + ".htm", ToneChoices()));
        rows.push_back(notice);
        rows.push_back(count);
    }
    return RowsPage(1011, 8050, std::move(rows));
}
