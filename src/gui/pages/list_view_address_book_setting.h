#pragma once
// How the radio uses its ID list: on or off, the entry it starts on, and how it is browsed.
#include "gui/editor/list_view_base.h"

class CListViewAddressBookSetting : public CListViewBase {
    Q_OBJECT
  public:
    CListViewAddressBookSetting(QWidget* parent, const PageContext& context);
};
