#pragma once
// The line settings: the call mode, which line (LTE or wireless LAN) the radio uses, the signal
// levels at which it switches between them, and the background search for the other line.
#include "gui/editor/list_view_base.h"

class CListViewCommunicationSetting : public CListViewBase {
    Q_OBJECT
  public:
    CListViewCommunicationSetting(QWidget* parent, const PageContext& context);
};
