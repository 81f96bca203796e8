#pragma once
// The Bluetooth headset: while Bluetooth is off, every row but its switch is blank and read-only.
#include "gui/editor/list_view_base.h"

class CListViewFunctionBluetooth : public CListViewBase {
    Q_OBJECT
  public:
    CListViewFunctionBluetooth(QWidget* parent, const PageContext& context);
};
