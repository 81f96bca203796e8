#include "gui/pages/list_view_info.h"

CListViewInfo::CListViewInfo(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
    // Radio-wide values: they belong to no settings group, whatever the page's set index.
    PageRow iccid = TextRow(3002, u"iccid", "iccid.htm");
    iccid.readOnly = true;
    PageRow callId = TextRow(3015, u"call_id", "call_id.htm");
    callId.enabledWhen = [](const CTalveroDoc&, int) { return false; };
    callId.keepTextWhenDisabled = true;
    DeclareRows(3000, {SectionRow(3001), iccid, SectionRow(3010), callId});
}

TALVERO_REGISTER_PAGE(1003, CListViewInfo);
