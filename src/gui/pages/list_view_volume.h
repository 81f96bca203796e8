#pragma once
// The range of the volume control and the external audio output. The lowest volume can never be
// set above the highest, nor the highest below the lowest.
#include "gui/pages/list_view_extra_rows.h"

class CListViewVolume : public CListViewExtraRows {
    Q_OBJECT
  public:
    CListViewVolume(QWidget* parent, const PageContext& context);
};
