#pragma once
// The tone played at the start of a transmission, per call type.
#include "gui/editor/list_view_base.h"

class CListViewTxStartTone : public CListViewBase {
    Q_OBJECT
  public:
    CListViewTxStartTone(QWidget* parent, const PageContext& context);
};
