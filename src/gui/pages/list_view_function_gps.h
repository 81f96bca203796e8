#pragma once
// The GPS receiver switch.
#include "gui/editor/list_view_base.h"

class CListViewFunctionGps : public CListViewBase {
    Q_OBJECT
  public:
    CListViewFunctionGps(QWidget* parent, const PageContext& context);
};
