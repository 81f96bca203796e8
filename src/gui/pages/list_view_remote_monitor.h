#pragma once
// Remote monitoring: whether other radios may listen in on this one (and which), and whether this
// radio may ask to listen in on others.
#include "gui/pages/list_view_extra_rows.h"

class CListViewRemoteMonitor : public CListViewExtraRows {
    Q_OBJECT
  public:
    CListViewRemoteMonitor(QWidget* parent, const PageContext& context);
};
