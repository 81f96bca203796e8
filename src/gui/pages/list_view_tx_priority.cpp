#include "gui/pages/list_view_tx_priority.h"

CListViewTxPriority::CListViewTxPriority(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(3300, {SectionRow(3301), ChoiceRow(3302, u"pri_call", "pri_call.htm", OffOnChoices())});
}

TALVERO_REGISTER_PAGE(1008, CListViewTxPriority);
