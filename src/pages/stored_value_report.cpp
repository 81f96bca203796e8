#include "pages/stored_value_report.h"

#include "document/talvero_doc.h"
#include "pages/page_declaration.h"
#include "pages/setting_places.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextIdStoredRefused = 2180;
constexpr std::u16string_view kTelephoneType = u"tel", kAllType = u"all";

void Judge(const CTalveroDoc& doc, const PageRow& row, unsigned member,
           std::vector<RefusedStoredValue>& out) {
    if (row.kind == PageRow::Kind::kSection || row.readOnly || row.key.empty()) {
        return;
    }
    std::u16string_view key = row.key;
    if (row.kind == PageRow::Kind::kIdentifierOrNumber) {
        const std::u16string& type = doc.Get(row.typeKey, member);
        if (type == kAllType) {
            return;  // the row is blank and edits nothing
        }
        if (type == kTelephoneType) {
            key = row.numberKey;
        }
    }
    const SettingId id = CTalveroDoc::Id(key, member);
    if (PageVerdict verdict = CheckRowValue(doc, row, id, doc.Get(id)); !verdict.accepted) {
        out.push_back({id, std::move(verdict)});
    }
}

}  // namespace

std::vector<RefusedStoredValue> RefusedStoredValues(const CTalveroDoc& doc) {
    std::vector<RefusedStoredValue> refused;
    for (const PageDeclaration& page : PageDeclarations()) {
        if (page.table) {
            for (unsigned member = 0; member < page.table->members; ++member) {
                for (const TableColumn& column : page.table->columns) {
                    Judge(doc, column.cell, member, refused);
                }
            }
        }
        for (const PageRow& row : page.rows) {
            Judge(doc, row, row.member, refused);
        }
    }
    return refused;
}

std::u16string DescribeRefusedStoredValue(const RefusedStoredValue& refused) {
    const std::u16string key = SettingKey(refused.id);
    std::u16string where;
    if (const auto place = FindSettingPlace(key)) {
        where = GetLanguageText(place->pageTitleId) + u": " + GetLanguageText(place->labelId);
    }
    const std::u16string reason = Utf8ToUtf16(refused.verdict.Message());
    return FormatLanguageText(kTextIdStoredRefused, {key, where, reason});
}
