#pragma once
// The call tones per call type: tone, notice sound and repetitions.
#include "gui/editor/list_view_base.h"

class CListViewRxNotifyTone : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRxNotifyTone(QWidget* parent, const PageContext& context);
};
