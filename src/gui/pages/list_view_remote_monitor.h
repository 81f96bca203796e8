#pragma once
// Remote monitoring: whether other radios may listen in on this one (and which), and whether this
// radio may ask to listen in on others.
#include "gui/editor/list_view_base.h"

class CListViewRemoteMonitor : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRemoteMonitor(QWidget* parent, const PageContext& context);
};
