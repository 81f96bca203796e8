#include "gui/pages/list_view_rx_setting.h"

#include "pages/page_declaration.h"

CListViewRxSetting::CListViewRxSetting(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    DeclarePage(*FindPageDeclaration(1015));
    // Stored multiples of 20 ms the combo does not offer show as their numbers. A page's extra
    // value texts are language texts, so these literal ones are kept here.
    for (int size = 20; size <= 500; size += 20) {
        AddValueText(QString::number(size), QString::number(size), QStringLiteral("default"));
    }
}

TALVERO_REGISTER_PAGE(1015, CListViewRxSetting);
