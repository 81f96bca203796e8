#pragma once
// The ten status texts, each with its on/off switch.
#include "gui/editor/list_view_base.h"

class CListViewPresenceList : public CListViewBase {
    Q_OBJECT
  public:
    CListViewPresenceList(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override;

  protected:
    int GetCellFontIndex(int row, int column) override;
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;
};
