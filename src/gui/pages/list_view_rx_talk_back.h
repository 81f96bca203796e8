#pragma once
// How long the radio waits for a reply to a call (talk-back), per kind of call.
#include "gui/editor/list_view_base.h"

class CListViewRxTalkBack : public CListViewBase {
    Q_OBJECT
  public:
    CListViewRxTalkBack(QWidget* parent, const PageContext& context);
};
