#pragma once
// The level of the radio's own tones.
#include "gui/pages/list_view_extra_rows.h"

class CListViewToneRadio : public CListViewExtraRows {
    Q_OBJECT
  public:
    CListViewToneRadio(QWidget* parent, const PageContext& context);
};
