#pragma once
// Whether the radio sends fixed messages, and which one it offers first.
#include "gui/editor/list_view_base.h"

class CListViewMsgSetting : public CListViewBase {
    Q_OBJECT
  public:
    CListViewMsgSetting(QWidget* parent, const PageContext& context);
};
