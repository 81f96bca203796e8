#pragma once
// The Bluetooth headset: while Bluetooth is off, every row but its switch is blank and read-only.
#include "gui/pages/list_view_extra_rows.h"

class CListViewFunctionBluetooth : public CListViewExtraRows {
    Q_OBJECT
  public:
    CListViewFunctionBluetooth(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override { ApplyRowRules(); }
    // Fills every value cell from the document and applies the Bluetooth switch.
    virtual void ApplyRowRules();
};
