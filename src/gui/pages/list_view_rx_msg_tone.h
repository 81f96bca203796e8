#pragma once
// The tone that announces a received message.
#include "gui/editor/list_view_base.h"

class CListViewRxMsgTone : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRxMsgTone(QWidget* parent, const PageContext& context);
};
