#pragma once
// The priority call switch.
#include "gui/editor/list_view_base.h"

class CListViewTxPriority : public CListViewBase {
    Q_OBJECT
  public:
    CListViewTxPriority(QWidget* parent, const PageContext& context);
};
