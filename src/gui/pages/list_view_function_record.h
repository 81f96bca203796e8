#pragma once
// The voice recorder: while it is off, what it records and the playback key are blank and
// read-only.
#include "gui/editor/list_view_base.h"

class CListViewFunctionRecord : public CListViewBase {
    Q_OBJECT
  public:
    CListViewFunctionRecord(QWidget* parent, const PageContext& context);
};
