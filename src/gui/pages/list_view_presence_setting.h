#pragma once
// Whether the radio sends status texts.
#include "gui/editor/list_view_base.h"

class CListViewPresenceSetting : public CListViewBase {
    Q_OBJECT
  public:
    CListViewPresenceSetting(QWidget* parent, const PageContext& context);
};
