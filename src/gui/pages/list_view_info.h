#pragma once
// The radio information read from the radio: the SIM card's ICCID and the radio's call ID. Both
// are shown as stored and never changed here; the ICCID opens a read-only field so that it can be
// selected and copied.
#include "gui/editor/list_view_base.h"

class CListViewInfo : public CListViewBase {
    Q_OBJECT
  public:
    CListViewInfo(QWidget* parent, const PageContext& context);
};
