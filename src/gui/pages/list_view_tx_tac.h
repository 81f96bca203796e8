#pragma once
// The talk-around function and its tones.
#include "gui/editor/list_view_base.h"

class CListViewTxTac : public CListViewBase {
    Q_OBJECT
  public:
    CListViewTxTac(QWidget* parent, const PageContext& context);
};
