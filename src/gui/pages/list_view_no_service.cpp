#include "gui/pages/list_view_no_service.h"

#include "document/settings_catalogue.h"

CListViewNoService::CListViewNoService(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclareRows(9190, {SectionRow(9191),
                       ChoiceRow(9192, u"no_service_tone", "no_service_tone.htm",
                                 ListChoices(choice_lists::kToneOnOff, {kTextOff, kTextOn}), u"tone"),
                       ChoiceRow(9193, u"ear_sidetone_mute", "ear_sidetone_mute.htm", OffOnChoices())});
}

TALVERO_REGISTER_PAGE(1032, CListViewNoService);
