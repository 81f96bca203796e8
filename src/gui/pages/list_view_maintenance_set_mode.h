#pragma once
// The setting-mode permissions: one row per item of the radio's setting mode, each with two
// yes/no cells for the two flags its value packs (2 × high + low). Column 1 edits the low flag,
// column 2 the high flag; the reset item's low flag is not offered for editing.
#include "gui/editor/list_view_base.h"

class CListViewMaintenanceSetMode : public CListViewBase {
    Q_OBJECT
  public:
    CListViewMaintenanceSetMode(QWidget* parent, const PageContext& context);
    void RefreshFromDocument() override;
    // Shows a stored permission value in the two flag cells of a row.
    void ShowPermission(const QString& value, int row);
    // Selects the permission's row, its low flag's cell.
    bool SelectSetting(std::u16string_view name, unsigned index) override;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;
    int GetCellFontIndex(int row, int column) override;

  private:
    // The setting of a permission row; empty for the title and heading rows.
    static std::u16string_view RowKey(int row);
};
