#pragma once
// The option key and the emergency key: each key's function, and the settings of that function
// (the one-touch call's destination, the message to send). The receive-mute and one-touch volume
// settings are shared by both keys and can be edited while either key has that function.
#include "gui/editor/list_view_base.h"

class CListViewOptionKey : public CListViewBase {
    Q_OBJECT
  public:
    CListViewOptionKey(QWidget* parent, const PageContext& context);
};
