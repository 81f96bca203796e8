#pragma once
// The range of the volume control and the external audio output. The lowest volume can never be
// set above the highest, nor the highest below the lowest.
#include "gui/editor/list_view_base.h"

class CListViewVolume : public CListViewBase {
    Q_OBJECT
  public:
    CListViewVolume(QWidget* parent, const PageContext& context);
};
