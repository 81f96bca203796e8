#pragma once
// The key tone and its level; the level rows are blank and read-only while the tone is off.
#include "gui/pages/list_view_extra_rows.h"

class CListViewToneKey : public CListViewExtraRows {
    Q_OBJECT
  public:
    CListViewToneKey(QWidget* parent, const PageContext& context);
};
