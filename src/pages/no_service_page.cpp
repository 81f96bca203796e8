#include "document/settings_catalogue.h"
#include "pages/page_list.h"

PageDeclaration NoServicePage() {
    return RowsPage(
        1032, 9190,
        {SectionRow(9191),
         ChoiceRow(9192, u"no_service_tone", {}, ListChoices(choice_lists::kToneOnOff, {kTextOff, kTextOn})),
         ChoiceRow(9193, u"ear_sidetone_mute", {}, OffOnChoices())});
}
