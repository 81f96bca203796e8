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
    void OnEndCellEdit(KEndEditRecord& record) override;

  private:
    void ReloadRow(int row);
};
