#include "document/jis_text.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"

namespace {
TableColumn Column(uint32_t headingId, int width, PageRow cell) {
    return TableColumn{headingId, width, std::move(cell)};
}

// The dial number of a telephone entry and the identifier of any other; nothing while unused.
PageRow NumberCell() {
    PageRow cell = IdentifierOrNumberRow(0, u"id", {}, u"id_type", u"number", 8710);
    cell.enabledWhen = [](const CTalveroDoc& doc, int entry) {
        return !doc.Get(u"id_type", static_cast<unsigned>(entry)).empty();
    };
    return cell;
}
// A name may not be empty; the message names the identifier range.
PageRow NameCell() {
    PageRow cell = TextRow(0, u"name", {}, 430);
    cell.ownRule = [](std::u16string_view typed) {
        return typed.empty() ? RowRefusal{8711, {1, 60000}} : RowRefusal{};
    };
    return cell;
}

// A reading is kept in half-width kana; the editor counts what was typed, the setting's rule
// what is kept.
PageRow ReadingCell() {
    PageRow cell = TextRow(0, u"yomi", {}, 8713);
    cell.convert = [](std::u16string_view typed, std::u16string& stored) {
        return ToHalfWidth(typed, stored) == 2 ? RowRefusal{8712, {}} : RowRefusal{};
    };
    return cell;
}
}  // namespace

PageDeclaration AddressBookListPage() {
    TableLayout table;
    table.titleId = 8700;
    table.sectionId = 8701;
    table.numberDigits = 3;
    table.members = kIdEntries;
    table.helpPerColumn = true;
    // The empty type is an item of its own: it marks the entry unused.
    table.columns = {
        Column(8703, 150,
               ChoiceRow(0, u"id_type", {},
                         {{u"", 0, {}},
                          {u"indi", 2535, {}},
                          {u"group", 2533, {}},
                          {u"user_group", 2537, {}},
                          {u"tel", 2539, {}}})),
        Column(8704, 360, NumberCell()),
        Column(8702, 300, NameCell()),
        Column(8706, 300, ReadingCell()),
        Column(8707, 150, ChoiceRow(0, u"id_select", {}, {{u"off", 8708, {}}, {u"on", 8709, {}}})),
    };
    return TablePage(1021, std::move(table));
}
