#pragma once
// The sub PTT: which key works as a second PTT, and the fixed destination it calls.
#include "gui/editor/list_view_base.h"

class CListViewSubFunction : public CListViewBase {
    Q_OBJECT
  public:
    CListViewSubFunction(QWidget* parent, const PageContext& context);
};
