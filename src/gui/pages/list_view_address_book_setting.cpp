#include "gui/pages/list_view_address_book_setting.h"

#include "document/settings_catalogue.h"
#include "pages/page_declaration.h"

CListViewAddressBookSetting::CListViewAddressBookSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1020));
    // Entry numbers in the page's value table read as themselves.
    for (unsigned n = 1; n <= kIdEntries; ++n) {
        AddValueText(QString::number(n), QString::number(n), QStringLiteral("default"));
    }
}

TALVERO_REGISTER_PAGE(1020, CListViewAddressBookSetting);
