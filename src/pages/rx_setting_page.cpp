#include "pages/page_list.h"

PageDeclaration RxSettingPage() {
    // The combo offers "automatic" and multiples of 40 ms; the radio also takes multiples of 20,
    // and any other stored size shows as its number too.
    std::vector<PageChoice> sizes = {{u"0", 8252}};
    for (PageChoice& size : NumberChoices(40, 480, 40)) {
        sizes.push_back(std::move(size));
    }
    PageRow size = ChoiceRow(8253, u"jitter_size", {}, std::move(sizes));
    size.unlistedShowsValue = true;
    return RowsPage(
        1015, 8250,
        {SectionRow(8251), std::move(size), ChoiceRow(8957, u"opt_key_disc_phone", {}, OffOnChoices())});
}
