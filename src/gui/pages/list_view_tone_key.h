#pragma once
// The key tone and its level; the level rows are blank and read-only while the tone is off.
#include "gui/editor/list_view_base.h"

class CListViewToneKey : public CListViewBase {
    Q_OBJECT
  public:
    CListViewToneKey(QWidget* parent, const PageContext& context);
};
