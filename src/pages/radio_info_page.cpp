#include "pages/page_list.h"

PageDeclaration RadioInfoPage() {
    // Radio-wide values: they belong to no settings group, whatever the page's set index.
    PageRow iccid = TextRow(3002, u"iccid", {});
    iccid.readOnly = true;
    PageRow callId = TextRow(3015, u"call_id", {});
    callId.enabledWhen = [](const CTalveroDoc&, int) { return false; };
    callId.keepTextWhenDisabled = true;
    return RowsPage(1003, 3000, {SectionRow(3001), iccid, SectionRow(3010), callId});
}
