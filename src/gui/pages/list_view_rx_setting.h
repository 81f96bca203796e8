#pragma once
// Reception settings: the jitter buffer and the disconnect key for telephone calls.
#include "gui/editor/list_view_base.h"

class CListViewRxSetting : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRxSetting(QWidget* parent, const PageContext& context);
};
