#include "gui/pages/list_view_function_record.h"

#include "document/talvero_doc.h"
#include "pages/page_rows.h"

namespace {
bool Recording(const CTalveroDoc& doc) {
    return doc.Get(u"rec") == u"on";
}
}  // namespace

CListViewFunctionRecord::CListViewFunctionRecord(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(8600, {SectionRow(8601), OffOnRow(8602, u"rec"),
                       When(KeyChoiceRow(8603, u"rec_target", {{u"indi", 2534}, {u"all", 2540}}), Recording),
                       When(OffOnRow(8982, u"opt_key_rec_play"), Recording)});
}

void CListViewFunctionRecord::ApplyRowRules() {
    CListViewBase::RefreshFromDocument();
}

TALVERO_REGISTER_PAGE(1019, CListViewFunctionRecord);
