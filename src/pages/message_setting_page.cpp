#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"

namespace {
// "% 2u : %s": the number right-aligned in two places, then the message's current text.
std::u16string MessageLine(const CTalveroDoc& doc, unsigned n) {
    return (n < 10 ? u" " : u"") + DecimalText(n) + u" : " + doc.Get(u"msg", n - 1);
}

// 1 to 10, or 0 for anything else.
unsigned MessageNumber(const std::u16string& value) {
    unsigned n = 0;
    for (char16_t ch : value) {
        if (ch < u'0' || ch > u'9' || n > kMessages) {
            return 0;
        }
        n = n * 10 + (ch - u'0');
    }
    return n <= kMessages ? n : 0;
}
}  // namespace

PageDeclaration MessageSettingPage() {
    // The first-message row lists the messages' current texts.
    PageRow top = DocumentChoiceRow(
        8753, u"msg_top", {},
        [](const CTalveroDoc& doc) {
            std::vector<PageChoice> lines;
            for (unsigned n = 1; n <= kMessages; ++n) {
                lines.push_back({DecimalText(n), 0, MessageLine(doc, n)});
            }
            return lines;
        },
        [](const CTalveroDoc& doc, const std::u16string& value) {
            const unsigned n = MessageNumber(value);
            return n ? MessageLine(doc, n) : std::u16string();
        });
    top.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"msg_tx") == u"on"; };
    // A chosen message marks the document modified even when it was already the first one.
    top.store = [](CTalveroDoc& doc, unsigned, const std::u16string& value) {
        const unsigned n = MessageNumber(value);
        if (n == 0 || !doc.Set(u"msg_top", value)) {
            return false;
        }
        doc.SetModifiedFlag();
        return true;
    };
    return RowsPage(1022, 8750, {SectionRow(8751), ChoiceRow(8752, u"msg_tx", {}, OffOnChoices()), top});
}
