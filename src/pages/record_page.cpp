#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {
bool Recording(const CTalveroDoc& doc) {
    return doc.Get(u"rec") == u"on";
}
}  // namespace

PageDeclaration RecordPage() {
    return RowsPage(1019, 8600,
                    {SectionRow(8601), OffOnRow(8602, u"rec"),
                     When(KeyChoiceRow(8603, u"rec_target", {{u"indi", 2534}, {u"all", 2540}}), Recording),
                     When(OffOnRow(8982, u"opt_key_rec_play"), Recording)});
}
