#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/talk_group_description.h"

namespace {
// A stored talk group number; anything else reads past the list.
unsigned TalkGroupNumber(const std::u16string& value) {
    unsigned n = 0;
    for (char16_t ch : value) {
        if (ch < u'0' || ch > u'9' || n > kIdEntries) {
            return kIdEntries + 1;
        }
        n = n * 10 + static_cast<unsigned>(ch - u'0');
    }
    return value.empty() ? kIdEntries + 1 : n;
}

// The talk group rows list "no talk group" and the user groups of the ID list as they are now.
PageRow TalkGroupRow(uint32_t labelId, std::u16string key, std::string helpPage) {
    return DocumentChoiceRow(
        labelId, std::move(key), std::move(helpPage),
        [](const CTalveroDoc& doc) {
            std::vector<PageChoice> groups;
            for (unsigned n : TalkGroupNumbers(doc)) {
                groups.push_back({DecimalText(n), 0, TalkGroupDescription(doc, n)});
            }
            return groups;
        },
        [](const CTalveroDoc& doc, const std::u16string& value) {
            return TalkGroupDescription(doc, TalkGroupNumber(value));
        });
}
}  // namespace

PageDeclaration TxCalleePage() {
    PageRow type = ChoiceRow(3052, u"def_id_type", {}, {{u"indi", 2535}, {u"group", 2533}, {u"all", 2186}});
    PageRow id = TextRow(3056, u"def_id", {}, 3070);
    id.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"def_id_type") != u"all"; };
    // The all-call text is shown on the radio's display, so it must be displayable there.
    PageRow allText = TextRow(3059, u"all_text", {}, 430);
    allText.adjust = [](TextRowRule& rule) { rule.jisCheck = true; };
    return RowsPage(1004, 3050,
                    {SectionRow(3051), type, id, TalkGroupRow(3057, u"def_id_list_talkgrp", {}),
                     TalkGroupRow(3060, u"home_talkgrp", {}), SectionRow(3058), allText});
}
