#pragma once
// Microphone gains, the automatic transmission microphone, the earphone, sidetone and VOX.
#include "gui/editor/list_view_base.h"

class CListViewTxMic : public CListViewBase {
    Q_OBJECT
  public:
    CListViewTxMic(QWidget* parent, const PageContext& context);
};
