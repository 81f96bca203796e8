#pragma once
// The access password the radio asks for before it is read or written; shown as stars.
#include "gui/editor/list_view_base.h"

class CListViewSecurityPass : public CListViewBase {
    Q_OBJECT
  public:
    CListViewSecurityPass(QWidget* parent, const PageContext& context);
};
