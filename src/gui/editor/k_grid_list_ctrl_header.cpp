#include "gui/editor/k_grid_list_ctrl_header.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>

#include "gui/editor/grid_fonts.h"

namespace {
constexpr int kMaxHeaderText = 511;
}

KGridListCtrlHeader::KGridListCtrlHeader(QWidget* parent)
    : QWidget(parent), m_paintFont(GridCharFont(16, true)), m_windowFont(font()) {}

int KGridListCtrlHeader::InsertItem(int index, const QString& text, Qt::Alignment format, int width) {
    index = std::clamp(index, 0, GetItemCount());
    m_items.insert(m_items.begin() + index, Item{text, format, std::max(0, width)});
    emit columnsChanged();
    update();
    return index;
}

QString KGridListCtrlHeader::GetItemText(int column) const {
    return column >= 0 && column < GetItemCount() ? m_items[column].text : QString();
}

void KGridListCtrlHeader::SetItemText(int column, const QString& text) {
    if (column >= 0 && column < GetItemCount()) {
        m_items[column].text = text;
        update();
    }
}

Qt::Alignment KGridListCtrlHeader::GetItemFormat(int column) const {
    return column >= 0 && column < GetItemCount() ? m_items[column].format : Qt::AlignLeft;
}

int KGridListCtrlHeader::GetItemWidth(int column) const {
    return column >= 0 && column < GetItemCount() ? m_items[column].width : 0;
}

void KGridListCtrlHeader::SetItemWidth(int column, int width) {
    if (column >= 0 && column < GetItemCount() && m_items[column].width != std::max(0, width)) {
        m_items[column].width = std::max(0, width);
        emit columnsChanged();
        update();
    }
}

QRect KGridListCtrlHeader::GetItemRect(int column) const {
    int x = 0;
    for (int i = 0; i < column && i < GetItemCount(); ++i) {
        x += m_items[i].width;
    }
    return QRect(x, 0, GetItemWidth(column), height());
}

int KGridListCtrlHeader::TotalWidth() const {
    int total = 0;
    for (const Item& item : m_items) {
        total += item.width;
    }
    return total;
}

void KGridListCtrlHeader::SetScrollOffset(int x) {
    if (x != m_scrollOffset) {
        m_scrollOffset = x;
        update();
    }
}

void KGridListCtrlHeader::CreateWindowFont() {
    m_windowFont = GridCellFont(18, true);
    m_hasWindowFont = true;
    setFont(m_windowFont);
}

int KGridListCtrlHeader::PreferredHeight() const {
    // Room around the text as a platform header leaves it.
    return QFontMetrics(m_hasWindowFont ? m_windowFont : font()).height() + 8;
}

void KGridListCtrlHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(m_paintFont);
    const QPalette& pal = palette();
    painter.fillRect(rect(), pal.color(QPalette::Active, QPalette::Base));

    std::vector<QRect> rects;
    int x = -m_scrollOffset;
    for (const Item& item : m_items) {
        rects.emplace_back(x, 0, item.width, height());
        x += item.width;
    }
    const int count = static_cast<int>(rects.size());
    for (int column = 0; column < count;) {
        const auto span = m_columnSpans.find(column);
        if (rects[column].right() < 0 && (span == m_columnSpans.end() || span->second == 1)) {
            ++column;  // scrolled out of view; a spanning title may still reach into it
            continue;
        }
        column += std::max(1, DrawHeaderCell(painter, column, rects));
    }
}

int KGridListCtrlHeader::DrawHeaderCell(QPainter& painter, int column,
                                        const std::vector<QRect>& columnRects) {
    const QPalette& pal = palette();
    QColor text = pal.color(QPalette::Active, QPalette::Text);
    ColorRef back = 0xFFFFFFFF;
    ColorRef border = 0xFFFFFFFF;
    const int count = static_cast<int>(columnRects.size());

    auto spanIt = m_columnSpans.find(column);
    const int span = spanIt == m_columnSpans.end() ? 1 : spanIt->second;
    QRect cell = columnRects[column];
    int covered = span;
    if (span > 1) {
        cell.setRight(columnRects[std::min(count - 1, column + span - 1)].right());
    } else if (span == -1) {
        cell.setRight(rect().right());
        covered = count - column;
    }

    QColor backColor = pal.color(QPalette::Active, QPalette::Base);
    QColor borderColor = backColor;
    if (auto it = m_columnColors.find(column); it != m_columnColors.end()) {
        text = ToQColor(it->second.text);
        back = it->second.back;
        border = it->second.border;
    }
    if (back == 0xFFFFFFFF) {
        // No entry: system window for both, handed over as such.
        painter.fillRect(cell, backColor);
        painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), borderColor);
        painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), borderColor);
    } else {
        FillHeaderCell(painter, cell, back, border);
    }

    const QString label = GetItemText(column).left(kMaxHeaderText);
    if (!label.isEmpty()) {
        QRect textRect = cell.adjusted(3, 0, -3, 0);
        // A title spanning the header stays readable when the grid is scrolled sideways.
        textRect.setLeft(std::max(textRect.left(), 3));
        const QFontMetrics metrics(painter.font());
        painter.setPen(text);
        painter.drawText(textRect, (GetItemFormat(column) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                         metrics.elidedText(label, Qt::ElideRight, std::max(0, textRect.width())));
    }
    return covered;
}

void KGridListCtrlHeader::FillHeaderCell(QPainter& painter, const QRect& rect, ColorRef backColor,
                                         ColorRef borderColor) {
    painter.fillRect(rect, ToQColor(backColor));
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), ToQColor(borderColor));
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), ToQColor(borderColor));
}
