#include "gui/pages/list_view_rx_msg_tone.h"

#include "document/talvero_doc.h"

CListViewRxMsgTone::CListViewRxMsgTone(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    PageRow count = ChoiceRow(8204, u"msg_tone_cnt", "msg_tone_cnt.htm",
                              {{u"cnt", 2551}, {u"cnt3", 2552}, {u"cnt10", 2553}, {u"cnt20", 2554}});
    count.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"msg_tone") != u"none"; };
    DeclareRows(8200, {SectionRow(8201), ChoiceRow(8202, u"msg_tone", "msg_tone.htm", ToneChoices()), count});
}

TALVERO_REGISTER_PAGE(1014, CListViewRxMsgTone);
