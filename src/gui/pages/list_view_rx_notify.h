#pragma once
// How the radio announces an incoming call, and the volume of its tone.
#include "gui/editor/list_view_base.h"

class CListViewRxNotify : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRxNotify(QWidget* parent, const PageContext& context);
};
