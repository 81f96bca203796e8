#pragma once
// Whom a call goes to by default: the call type, the default ID, the talk groups and the all-call text.
#include "gui/editor/list_view_base.h"

class CListViewTxCallee : public CListViewBase {
    Q_OBJECT
  public:
    CListViewTxCallee(QWidget* parent, const PageContext& context);
};
