#pragma once
// The tone played at the end of a reception, per call type.
#include "gui/editor/list_view_base.h"

class CListViewRxEndTone : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRxEndTone(QWidget* parent, const PageContext& context);
};
