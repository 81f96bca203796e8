#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {
bool On(const CTalveroDoc& doc, const char16_t* key) {
    return doc.Get(key) == u"on";
}
}  // namespace

PageDeclaration RemoteMonitorPage() {
    const auto receiving = [](const CTalveroDoc& doc) { return On(doc, u"rmon_req_rx"); };
    PageRow id = When(KeyTextRow(8943, u"rmon_id", 3030), [](const CTalveroDoc& doc) {
        return On(doc, u"rmon_req_rx") && On(doc, u"rmon_id_sw");
    });
    return RowsPage(
        1026, 8940,
        {SectionRow(8941), OffOnRow(8942, u"rmon_req_rx"), When(OffOnRow(8946, u"rmon_id_sw"), receiving), id,
         OffOnRow(8944, u"rmon_req_tx"),
         When(ValueChoiceRow(8945, u"rmon_time", {}, ValueChoices({u"30", u"60", u"120", u"240"})),
              [](const CTalveroDoc& doc) { return On(doc, u"rmon_req_tx"); })});
}
