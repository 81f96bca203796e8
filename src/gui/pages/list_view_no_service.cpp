#include "gui/pages/list_view_no_service.h"

CListViewNoService::CListViewNoService(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(9190, {SectionRow(9191),
                       ChoiceRow(9192, u"no_service_tone", "no_service_tone.htm",
                                 {{u"none", 2500}, {u"tone1", 2501}}, u"tone"),
                       ChoiceRow(9193, u"ear_sidetone_mute", "ear_sidetone_mute.htm",
                                 {{u"off", 2500}, {u"on", 2501}})});
}

TALVERO_REGISTER_PAGE(1032, CListViewNoService);
