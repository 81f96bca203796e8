#pragma once
// The display settings: start-up comment, standby display and name, indicators, backlight,
// brightness and contrast.
#include "gui/editor/list_view_base.h"

class CListViewDispView : public CListViewBase {
    Q_OBJECT
  public:
    CListViewDispView(QWidget* parent, const PageContext& context);
};
