#pragma once
// Transmission restrictions: ban, inhibit, PTT lock, standby call and PTT toggle.
#include "gui/editor/list_view_base.h"

class CListViewTxOp : public CListViewBase {
    Q_OBJECT
  public:
    CListViewTxOp(QWidget* parent, const PageContext& context);
};
