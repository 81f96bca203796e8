#include "gui/pages/list_view_address_book_setting.h"

#include "document/settings_catalogue.h"
#include "pages/page_declaration.h"

CListViewAddressBookSetting::CListViewAddressBookSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1020));
}

TALVERO_REGISTER_PAGE(1020, CListViewAddressBookSetting);
