#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/entry_description.h"
#include "pages/page_list.h"

namespace {
bool ListUsed(const CTalveroDoc& doc, int) {
    return doc.Get(u"sel") != u"off";
}

bool IsBlank(char16_t ch) {
    return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

// A stored entry number: decimal digits, an optional plus sign, blanks around them; 0 for
// anything else or a number past what an unsigned holds (that reads as "no entry").
unsigned EntryNumber(const std::u16string& value) {
    size_t begin = 0, end = value.size();
    while (begin < end && IsBlank(value[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(value[end - 1])) {
        --end;
    }
    if (begin < end && value[begin] == u'+') {
        ++begin;
    }
    if (begin == end) {
        return 0;
    }
    uint64_t n = 0;
    for (size_t i = begin; i < end; ++i) {
        if (value[i] < u'0' || value[i] > u'9') {
            return 0;
        }
        n = n * 10 + static_cast<uint64_t>(value[i] - u'0');
        if (n > UINT32_MAX) {
            return 0;
        }
    }
    return static_cast<unsigned>(n);
}
}  // namespace

PageDeclaration AddressBookSettingPage() {
    const std::vector<PageChoice> listType = ListChoices(choice_lists::kListDisplays, {8657, 8658});
    // The start entry lists the entries as they are now: "0" for none, then entries 1 to 500.
    PageRow top = DocumentChoiceRow(
        8653, u"id_list_top", {},
        [](const CTalveroDoc& doc) {
            std::vector<PageChoice> entries;
            for (unsigned n = 0; n <= kIdEntries; ++n) {
                entries.push_back({DecimalText(n), 0, EntryDescription(doc, n)});
            }
            return entries;
        },
        [](const CTalveroDoc& doc, const std::u16string& value) {
            return EntryDescription(doc, EntryNumber(value));
        });
    PageRow allCall = ChoiceRow(8654, u"all_call_disp", {}, OffOnChoices());
    allCall.enabledWhen = [](const CTalveroDoc& doc, int set) {
        return ListUsed(doc, set) && doc.Get(u"id_list_top") != u"0";
    };
    PageRow type = ChoiceRow(8655, u"id_list_type", {}, listType);
    PageRow typeUpDown = ChoiceRow(8656, u"id_list_type_updown", {}, listType);
    PageRow reverse = ChoiceRow(8659, u"updown_reverse", {}, {{u"normal", 8660, {}}, {u"invert", 8661, {}}});
    for (PageRow* row : {&top, &type, &typeUpDown, &reverse}) {
        row->enabledWhen = ListUsed;
    }
    return RowsPage(1020, 8650,
                    {SectionRow(8651), ChoiceRow(8652, u"sel", {}, OffOnChoices()), top, allCall, type,
                     typeUpDown, reverse});
}
