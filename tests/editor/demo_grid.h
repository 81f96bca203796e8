#pragma once
// A small settings-like grid for tests and the screenshot: a title, a section row spanning the
// grid, labels, typed cells and choice cells, and a table block with a bold heading row.
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

#include "gui/editor/k_grid_list_ctrl_edit.h"
#include "gui/editor/k_grid_list_view.h"

class DemoGrid : public KGridListView {
    Q_OBJECT
  public:
    // How a cell edits: a combo with these items, or a text field set up by `configure`.
    struct CellEditor {
        QStringList items;
        std::function<void(KGridListCtrlEdit&)> configure;
        char16_t passwordChar = 0;
    };

    explicit DemoGrid(QWidget* parent = nullptr);

    // rows × columns of empty cells; every column `width` pixels wide.
    void Build(int rows, int columns, int width);
    void MakeEditable(int row, int column, const QString& text);
    void MakeEditable(int row, int column, const QString& text, CellEditor editor);
    void MakeLabel(int row, int column, const QString& text);
    void MakeSection(int row, const QString& text, int span);
    void SetBoldRow(int row) { m_boldRow = row; }

    // Every record that reached the owner, in order.
    std::vector<KEndEditRecord> m_records;
    bool m_selectFirst = false;

  protected:
    QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                              const QString& text) override;
    void OnEndCellEdit(KEndEditRecord& record) override;
    bool SelectFirstEditableCell() override;
    int GetCellFontIndex(int row, int column) override;

  private:
    std::map<std::pair<int, int>, CellEditor> m_editors;
    int m_boldRow = -1;
};

// The standard colours of the settings pages.
inline constexpr ColorRef kTitleText = 0x00FFFF, kTitleBack = 0x800000, kTitleBorder = 0xA0A0A0;
inline constexpr ColorRef kSectionText = 0xFFFFFF, kSectionBack = 0x008000;
inline constexpr ColorRef kLabelText = 0xFFFFFF, kLabelBack = 0x808080;
inline constexpr ColorRef kValueText = 0x000000, kValueBack = 0xFFFFFF, kValueBorder = 0x808080;
inline constexpr ColorRef kDisabledText = 0x808080, kDisabledBack = 0xE8E8E8;
