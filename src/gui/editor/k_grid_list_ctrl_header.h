#pragma once
// The grid's column header. It holds the columns (text, width, alignment) and is painted by the
// program with spans and colours of its own, like the rows below it. After SetupHeader it is
// disabled: column widths change only by dragging a border in the rows.
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>
#include <map>
#include <vector>

#include "gui/editor/grid_colors.h"

class QPainter;

class KGridListCtrlHeader : public QWidget {
    Q_OBJECT
  public:
    struct KCellColor {
        ColorRef text;
        ColorRef back;
        ColorRef border;
    };

    explicit KGridListCtrlHeader(QWidget* parent = nullptr);

    int InsertItem(int index, const QString& text, Qt::Alignment format, int width);
    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    QString GetItemText(int column) const;
    void SetItemText(int column, const QString& text);
    Qt::Alignment GetItemFormat(int column) const;
    int GetItemWidth(int column) const;
    void SetItemWidth(int column, int width);
    // In unscrolled header coordinates: x from 0 at the left of column 0.
    QRect GetItemRect(int column) const;
    int TotalWidth() const;

    // The grid scrolls the header with its rows.
    void SetScrollOffset(int x);
    int ScrollOffset() const { return m_scrollOffset; }

    // Builds the window font from the paint font with a cell height of 18 pixels.
    void CreateWindowFont();
    bool HasWindowFont() const { return m_hasWindowFont; }
    // Height the header asks for with its window font.
    int PreferredHeight() const;

    std::map<int, int> m_columnSpans;
    std::map<int, KCellColor> m_columnColors;

  signals:
    void columnsChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws one header cell; returns the number of columns it covered.
    virtual int DrawHeaderCell(QPainter& painter, int column, const std::vector<QRect>& columnRects);
    virtual void FillHeaderCell(QPainter& painter, const QRect& rect, ColorRef backColor,
                                ColorRef borderColor);

  private:
    struct Item {
        QString text;
        Qt::Alignment format;
        int width;
    };

    QFont m_paintFont;
    QFont m_windowFont;
    bool m_hasWindowFont = false;
    std::vector<Item> m_items;
    int m_scrollOffset = 0;
};
