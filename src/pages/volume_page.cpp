#include "pages/page_list.h"
#include "pages/page_rows.h"

PageDeclaration VolumePage() {
    // The radio knows an automatic external output; a configuration that holds it shows it.
    PageRow external = OffOnRow(10506, u"ext_afout");
    external.shownOnly = {{u"auto", 2590}};
    // The page is named as its tree item; the first section names the volume range.
    return RowsPage(
        1034, 2486,
        {SectionRow(10500), ValueChoiceRow(10501, u"audio_af_min", {}, NumberChoices(0, 32), 10510),
         ValueChoiceRow(10502, u"audio_af_max", {}, NumberChoices(0, 32), 10510), SectionRow(10505),
         std::move(external)});
}
