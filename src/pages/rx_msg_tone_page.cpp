#include "document/talvero_doc.h"
#include "pages/page_list.h"

PageDeclaration RxMsgTonePage() {
    PageRow count = ChoiceRow(8204, u"msg_tone_cnt", {},
                              {{u"cnt", 2551}, {u"cnt3", 2552}, {u"cnt10", 2553}, {u"cnt20", 2554}});
    count.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"msg_tone") != u"none"; };
    return RowsPage(1014, 8200, {SectionRow(8201), ChoiceRow(8202, u"msg_tone", {}, ToneChoices()), count});
}
