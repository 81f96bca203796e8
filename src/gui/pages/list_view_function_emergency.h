#pragma once
// The emergency call: its destination and repeat calls, timers, texts, the reaction to a
// received emergency and the man-down, lone-worker, stationary and motion detectors. While the
// emergency call is off, every row but its switch is blank and read-only; while it is on, each
// group of rows follows the switch that governs it.
#include "gui/editor/list_view_base.h"

class CListViewFunctionEmergency : public CListViewBase {
    Q_OBJECT
  public:
    CListViewFunctionEmergency(QWidget* parent, const PageContext& context);
};
