#pragma once
// The ten fixed messages, one row each.
#include "gui/editor/list_view_base.h"

class CListViewMsgList : public CListViewBase {
    Q_OBJECT
  public:
    CListViewMsgList(QWidget* parent, const PageContext& context);
};
