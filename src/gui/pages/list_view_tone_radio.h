#pragma once
// The level of the radio's own tones.
#include "gui/editor/list_view_base.h"

class CListViewToneRadio : public CListViewBase {
    Q_OBJECT
  public:
    CListViewToneRadio(QWidget* parent, const PageContext& context);
};
