#pragma once
// What the radio does when it is out of service: the warning tone and the earphone sidetone.
#include "gui/editor/list_view_base.h"

class CListViewNoService : public CListViewBase {
    Q_OBJECT
  public:
    CListViewNoService(QWidget* parent, const PageContext& context);
};
