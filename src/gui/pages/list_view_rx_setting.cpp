#include "gui/pages/list_view_rx_setting.h"

#include "gui/pages/page_text.h"

CListViewRxSetting::CListViewRxSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    // The combo offers "automatic" and multiples of 40 ms; the radio also takes multiples of 20,
    // which are shown as their numbers when a configuration holds one.
    std::vector<PageChoice> sizes = {{u"0", 8252}};
    for (PageChoice& size : NumberChoices(40, 480, 40)) {
        sizes.push_back(std::move(size));
    }
    DeclareRows(8250, {SectionRow(8251), ChoiceRow(8253, u"jitter_size", "jitter_size.htm", sizes),
                       ChoiceRow(8957, u"opt_key_disc_phone", "opt_key_disc_phone.htm", OffOnChoices())});
    for (int size = 20; size <= 500; size += 20) {
        AddValueText(QString::number(size), QString::number(size), QStringLiteral("default"));
    }
}

TALVERO_REGISTER_PAGE(1015, CListViewRxSetting);
