#pragma once
// The editable grid every settings page stands on: a report list the program draws itself, cell
// by cell, with per-cell spans, colours and editable flags, one current cell (the focused row and
// m_currentColumn), keyboard moves between editable cells, in-place editors created by the
// owner, and column resizing by dragging a border in the rows (the header takes no mouse input).
// The grid knows nothing about settings; derived classes decide what the cells mean.
#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <array>
#include <compare>
#include <cstdint>
#include <map>
#include <vector>

#include "gui/editor/grid_colors.h"
#include "gui/editor/k_grid_list_ctrl_header.h"

class QPainter;

class KGridListView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    struct KCellPos {
        int32_t row;
        int32_t column;
        auto operator<=>(const KCellPos&) const = default;
    };
    struct KCellColor {
        ColorRef text;
        ColorRef back;
        ColorRef border;
        ColorRef textRO;
        ColorRef backRO;
        ColorRef borderRO;
    };
    // What an in-place editor reports when it closes. `mask` holds kItemText only when the
    // final text differs from the text the editor opened with.
    struct KEndEditRecord {
        int row = -1;
        int column = -1;
        uint32_t mask = 0;
        QString text;
    };
    static constexpr uint32_t kItemText = 0x0001;
    // Row state bits handed to DrawCell.
    static constexpr unsigned kStateFocused = 0x0001;
    static constexpr unsigned kStateSelected = 0x0002;

    explicit KGridListView(QWidget* parent = nullptr);
    ~KGridListView() override;

    // ---- list contents -----------------------------------------------------------------
    int InsertColumn(int column, const QString& heading, Qt::Alignment format, int width);
    int GetColumnCount() const { return m_header->GetItemCount(); }
    int GetColumnWidth(int column) const { return m_header->GetItemWidth(column); }
    void SetColumnWidth(int column, int width) { m_header->SetItemWidth(column, width); }
    // The last column takes the width the others leave in the view, never less than `minWidth`,
    // whenever the view or the other columns change size, until the user drags a column's
    // border. 0: the last column keeps the width it is given.
    void SetLastColumnFills(int minWidth);
    int InsertItem(int row, const QString& text);
    int GetItemCount() const { return static_cast<int>(m_rows.size()); }
    void DeleteAllItems();
    QString GetItemText(int row, int column) const;
    void SetItemText(int row, int column, const QString& text);
    void RedrawItems(int first, int last);
    int GetRowHeight() const { return m_rowHeight; }
    // The row's bounds in viewport coordinates; false when the row does not exist.
    bool GetItemRect(int row, QRect* rect) const;
    // Row and column under a viewport point; column -1 right of the last column, row -1 off rows.
    std::pair<int, int> SubItemHitTest(const QPoint& point) const;
    int GetScrollX() const;
    int GetTopRow() const;
    void EnsureVisible(int row);
    KGridListCtrlHeader* GetHeaderCtrl() const { return m_header; }

    // ---- grid -------------------------------------------------------------------------
    void SetupHeader();
    void BeginCellEdit(int row, int column, char16_t firstChar);
    int GetFocusedRow() const;
    void MoveToRow(int row);
    bool IsCellEditable(int row, int column) const;
    void SetCellEditable(int row, int column, int flag);
    int GetCellSpan(int row, int column) const;
    void SetCellSpan(int row, int column, int span);
    bool GetCellColors(int row, int column, ColorRef* text, ColorRef* back, ColorRef* border) const;
    void SetCellColors(int row, int column, ColorRef text, ColorRef back, ColorRef border,
                       ColorRef textRO = kNoColor, ColorRef backRO = kNoColor, ColorRef borderRO = kNoColor);
    int GetColumnRects(int row, std::vector<QRect>* rects) const;
    bool HitTestColumnBorder(int x, int y, int* column, QRect* headerRect) const;
    int GetCurrentColumn() const { return m_currentColumn; }
    // The open in-place editor, or null.
    QWidget* GetEditor() const { return m_editor.data(); }
    bool IsResizing() const { return m_resizing; }
    const QFont& GetCellFont(int index) const { return m_cellFonts[index]; }
    // Keeps the first column (labels, entry numbers) in view while the grid scrolls sideways; the
    // other columns pass under it.
    void SetFirstColumnFrozen(bool frozen) { m_firstColumnFrozen = frozen; }

    // The end-of-edit notification an in-place editor sends while it closes.
    void OnEndLabelEdit(KEndEditRecord& record);

  signals:
    // A row became the selected one (by click, keyboard or program).
    void rowSelected(int row);

  protected:
    virtual void DrawItem(QPainter& painter, int row);
    virtual bool SelectFirstEditableCell();
    virtual int DrawCell(QPainter& painter, int row, int column, unsigned itemState,
                         const std::vector<QRect>& columnRects);
    virtual QWidget* CreateCellEditor(int row, int column, int left, int top, int right, int bottom,
                                      const QString& text);
    virtual void OnEndCellEdit(KEndEditRecord& record);
    virtual void CopyCell();
    virtual void PasteCell();
    virtual int GetCellFontIndex(int row, int column);

    // Gives the row the focused and selected state (-1 clears the selection).
    void SetSelectedRow(int row);
    void SetCurrentColumn(int column) { m_currentColumn = column; }

    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    bool HandleNavigationKey(QKeyEvent* event);
    bool HandleMouseButton(QMouseEvent* event);
    bool FindNextEditable(int row, int column, bool forward, int* foundRow, int* foundColumn) const;
    void MoveToCell(int row, int column, int focusedRow);
    // The editable cell nearest to `row`: its own first, else the nearest below, else above.
    bool NearestEditable(int row, int* foundRow, int* foundColumn) const;
    // Makes an editable cell current where none is: the selected row's own, else the nearest
    // below or above it; with no row selected, the first editable cell (the last `fromBehind`).
    // A grid without editable cells keeps what it has.
    void EnsureCurrentCell(bool fromBehind);
    void UpdateScrollBars();
    void UpdateHeaderGeometry();
    void FillLastColumn();
    void RedrawRow(int row);
    void DrawFrozenColumn(QPainter& painter, int first, int last);
    bool FirstColumnHeld() const;

    KGridListCtrlHeader* m_header;
    int m_rowHeight;
    int m_currentColumn = -1;
    std::map<KCellPos, int32_t> m_cellSpans;
    std::map<KCellPos, KCellColor> m_cellColors;
    std::map<KCellPos, int32_t> m_cellEditable;
    QPointer<QWidget> m_editor;
    std::array<QFont, 2> m_cellFonts;
    int m_lastColumnMin = 0;
    int m_resizeColumn = -1;
    QRect m_resizeColumnRect;
    bool m_resizing = false;
    QPoint m_resizeStart;
    int m_resizeStartScroll = 0;

    bool m_headerSetUp = false;
    std::vector<std::vector<QString>> m_rows;
    int m_focusRow = -1;
    bool m_focusRowSelected = false;
    bool m_forwardingKey = false;
    bool m_firstColumnFrozen = false;
};
