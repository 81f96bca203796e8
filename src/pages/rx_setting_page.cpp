#include "pages/page_list.h"

PageDeclaration RxSettingPage() {
    // The combo offers "automatic" and multiples of 40 ms; the radio also takes multiples of 20,
    // which the page shows as their numbers when a configuration holds one.
    std::vector<PageChoice> sizes = {{u"0", 8252}};
    for (PageChoice& size : NumberChoices(40, 480, 40)) {
        sizes.push_back(std::move(size));
    }
    PageDeclaration page = RowsPage(1015, 8250,
                                    {SectionRow(8251), ChoiceRow(8253, u"jitter_size", {}, sizes),
                                     ChoiceRow(8957, u"opt_key_disc_phone", {}, OffOnChoices())});
    AddNumberTexts(page, 20, 500, 20, u"default");
    return page;
}
