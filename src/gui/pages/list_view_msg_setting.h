#pragma once
// Whether the radio sends fixed messages, and which one it offers first.
#include "gui/editor/list_view_base.h"

class CListViewMsgSetting : public CListViewBase {
    Q_OBJECT
  public:
    CListViewMsgSetting(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    QString MessageLine(unsigned n) const;
    void ShowTopRow();
};
