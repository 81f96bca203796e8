#include "gui/pages/list_view_address_book_setting.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "gui/pages/entry_description.h"
#include "gui/pages/page_text.h"

namespace {
bool ListUsed(const CTalveroDoc& doc, int) {
    return doc.Get(u"sel") != u"off";
}

unsigned EntryNumber(const std::u16string& value) {
    bool ok = false;
    const unsigned n = QString::fromStdU16String(value).toUInt(&ok);
    return ok ? n : 0;
}
}  // namespace

CListViewAddressBookSetting::CListViewAddressBookSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    const std::vector<PageChoice> listType = ListChoices(choice_lists::kListDisplays, {8657, 8658});
    // The start entry lists the entries as they are now: "0" for none, then entries 1 to 500.
    PageRow top = DocumentChoiceRow(
        8653, u"id_list_top", "id_list_top.htm",
        [](const CTalveroDoc& doc) {
            std::vector<PageChoice> entries;
            for (unsigned n = 0; n <= kIdEntries; ++n) {
                entries.push_back({DecimalText(n), 0, EntryDescription(doc, n).toStdU16String()});
            }
            return entries;
        },
        [](const CTalveroDoc& doc, const std::u16string& value) {
            return EntryDescription(doc, EntryNumber(value)).toStdU16String();
        });
    PageRow allCall = ChoiceRow(8654, u"all_call_disp", "all_call_disp.htm", OffOnChoices());
    allCall.enabledWhen = [](const CTalveroDoc& doc, int set) {
        return ListUsed(doc, set) && doc.Get(u"id_list_top") != u"0";
    };
    PageRow type = ChoiceRow(8655, u"id_list_type", "id_list_type.htm", listType, u"SECTION_IDLIST_TYPE");
    PageRow typeUpDown =
        ChoiceRow(8656, u"id_list_type_updown", "id_list_type_updown.htm", listType, u"SECTION_IDLIST_TYPE");
    PageRow reverse = ChoiceRow(8659, u"updown_reverse", "updown_reverse.htm",
                                {{u"normal", 8660, {}}, {u"invert", 8661, {}}}, u"SECTION_UPDOWN_ACTION");
    for (PageRow* row : {&top, &type, &typeUpDown, &reverse}) {
        row->enabledWhen = ListUsed;
    }
    DeclareRows(8650, {SectionRow(8651), ChoiceRow(8652, u"sel", "sel.htm", OffOnChoices()), top, allCall,
                       type, typeUpDown, reverse});
    AddValueText(QStringLiteral("0"), PageText(2531), QStringLiteral("default"));
    for (unsigned n = 1; n <= kIdEntries; ++n) {
        AddValueText(QString::number(n), QString::number(n), QStringLiteral("default"));
    }
}

TALVERO_REGISTER_PAGE(1020, CListViewAddressBookSetting);
