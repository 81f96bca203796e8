#pragma once
// The ID list: one row per entry (500), one column per field. The number column edits the
// identifier or, for a telephone entry, the dial number; the other columns are declared.
#include "gui/editor/list_view_base.h"

class CListViewAddressBookList : public CListViewBase {
    Q_OBJECT
  public:
    CListViewAddressBookList(QWidget* parent, const PageContext& context);
    void SetupHeader() override;
    void RefreshFromDocument() override;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void ReloadRow(int row);
    void CommitNumber(int row, const QString& typed);
    void CommitName(int row, const QString& typed);
    void CommitReading(int row, const QString& typed);
    // The column's refusal message with the arguments its setting's rule gives.
    QString RefusalText(int column) const;
};
