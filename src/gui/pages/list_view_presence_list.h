#pragma once
// The ten status texts, each with its on/off switch.
#include "gui/editor/list_view_base.h"

class CListViewPresenceList : public CListViewBase {
    Q_OBJECT
  public:
    CListViewPresenceList(QWidget* parent, const PageContext& context);
};
