#include "document/talvero_doc.h"
#include "pages/page_list.h"

namespace {
// A number row whose setting has no value rule of its own: a value loaded from a file that the
// combo does not offer is still shown as it is.
PageRow NumberRow(uint32_t labelId, std::u16string key, std::string helpPage,
                  std::vector<PageChoice> numbers) {
    PageRow row = ChoiceRow(labelId, std::move(key), std::move(helpPage), std::move(numbers));
    row.unlistedShowsValue = true;
    return row;
}
}  // namespace

PageDeclaration TxMicPage() {
    const std::vector<PageChoice> gains = NumberChoices(-12, 12, 3);
    // Choosing a sidetone turns the echo canceller off in the document, so the page loads again.
    PageRow sidetone = ChoiceRow(3371, u"ear_sidetone", {}, OffOnChoices());
    sidetone.refreshPageOnCommit = true;
    // The echo canceller can be changed only without sidetone; its value stays visible.
    PageRow echo = ChoiceRow(3374, u"ear_ec", {}, OffOnChoices());
    echo.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"ear_sidetone") == u"off"; };
    echo.keepTextWhenDisabled = true;
    const std::vector<PageChoice> vox = {
        {u"off", kTextOff}, {u"int_mic", 2575},         {u"ear", 2571},
        {u"headset", 2572}, {u"bluetooth_btptt", 2574}, {u"bluetooth", 2573}};
    return RowsPage(
        1009, 3350,
        {SectionRow(3351), NumberRow(3352, u"int_mic_gain", {}, gains),
         NumberRow(3353, u"ext_mic_gain", {}, gains), SectionRow(3357),
         ChoiceRow(3358, u"auto_tx_micsel", {}, {{u"radio", 8561}, {u"btmic", 8562}}), SectionRow(3354),
         ChoiceRow(3356, u"ear_nc", {}, OffOnChoices()), SectionRow(3370), sidetone,
         NumberRow(3372, u"ear_sidetone_vol", {}, NumberChoices(0, 32)), echo,
         ChoiceRow(3355, u"ear_vox", {}, vox), SectionRow(3379), TextRow(3380, u"vox_attack_time", {}, 3390),
         TextRow(3381, u"vox_release_time", {}, 3391), TextRow(3382, u"vox_delay", {}, 3392),
         NumberRow(3383, u"vox_thresh", {}, NumberChoices(0, 100))});
}
