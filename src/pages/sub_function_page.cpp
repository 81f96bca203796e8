#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {
bool SubPttUsed(const CTalveroDoc& doc) {
    return doc.Get(u"sub_ptt_sel") != u"off";
}
}  // namespace

PageDeclaration SubFunctionPage() {
    PageRow id = When(KeyTextRow(9004, u"sub_def_id", 9020), [](const CTalveroDoc& doc) {
        return SubPttUsed(doc) && doc.Get(u"sub_def_id_type") != u"all";
    });
    return RowsPage(
        1028, 9000,
        {SectionRow(9001),
         KeyChoiceRow(9002, u"sub_ptt_sel", {{u"off", 2500}, {u"ptt", 9010}, {u"ext", 9011}}),
         When(KeyChoiceRow(9003, u"sub_def_id_type", {{u"indi", 2535}, {u"group", 2533}, {u"all", 2186}}),
              SubPttUsed),
         id});
}
