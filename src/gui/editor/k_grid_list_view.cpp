#include "gui/editor/k_grid_list_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "gui/editor/grid_fonts.h"

namespace {

constexpr int kBorderGrip = 3;
constexpr int kMinColumnWidth = 6;
constexpr int kHorizontalKeyStep = 30;

QString Cleaned(QString text) {
    text.remove(QChar(u'\r'));
    text.remove(QChar(u'\n'));
    text.remove(QChar(u'\t'));
    return text;
}

}  // namespace

KGridListView::KGridListView(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_header(new KGridListCtrlHeader(this)),
      m_cellFonts{GridCharFont(17, true), GridCharFont(17, false)} {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFont(m_cellFonts[1]);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    m_header->setFont(font());
    m_rowHeight = std::max(QFontMetrics(font()).height() + 2, 16);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(kHorizontalKeyStep);
    connect(m_header, &KGridListCtrlHeader::columnsChanged, this, [this] {
        UpdateScrollBars();
        viewport()->update();
    });
    UpdateHeaderGeometry();
}

KGridListView::~KGridListView() {
    // An open editor goes first, without reporting: its end-of-edit would reach a half-destroyed
    // grid.
    delete m_editor.data();
}

// ---- list contents ---------------------------------------------------------------------------

int KGridListView::InsertColumn(int column, const QString& heading, Qt::Alignment format, int width) {
    column = m_header->InsertItem(column, heading, format, width);
    for (auto& row : m_rows) {
        if (static_cast<int>(row.size()) > column) {
            row.insert(row.begin() + column, QString());
        }
    }
    return column;
}

int KGridListView::InsertItem(int row, const QString& text) {
    row = std::clamp(row, 0, GetItemCount());
    m_rows.insert(m_rows.begin() + row, std::vector<QString>{text});
    UpdateScrollBars();
    viewport()->update();
    return row;
}

void KGridListView::DeleteAllItems() {
    m_rows.clear();
    m_focusRow = -1;
    m_focusRowSelected = false;
    UpdateScrollBars();
    viewport()->update();
}

QString KGridListView::GetItemText(int row, int column) const {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= static_cast<int>(m_rows[row].size())) {
        return {};
    }
    return m_rows[row][column];
}

void KGridListView::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount()) {
        return;
    }
    auto& cells = m_rows[row];
    if (static_cast<int>(cells.size()) <= column) {
        cells.resize(column + 1);
    }
    if (cells[column] != text) {
        cells[column] = text;
        RedrawRow(row);
    }
}

void KGridListView::RedrawItems(int first, int last) {
    for (int row = first; row <= last; ++row) {
        RedrawRow(row);
    }
}

void KGridListView::RedrawRow(int row) {
    QRect bounds;
    if (GetItemRect(row, &bounds)) {
        viewport()->update(QRect(0, bounds.top(), viewport()->width(), bounds.height()));
    }
}

bool KGridListView::GetItemRect(int row, QRect* rect) const {
    if (row < 0 || row >= GetItemCount()) {
        return false;
    }
    *rect = QRect(-GetScrollX(), (row - GetTopRow()) * m_rowHeight, m_header->TotalWidth(), m_rowHeight);
    return true;
}

std::pair<int, int> KGridListView::SubItemHitTest(const QPoint& point) const {
    if (point.y() < 0 || point.x() < 0) {
        return {-1, -1};
    }
    const int row = GetTopRow() + point.y() / m_rowHeight;
    if (row >= GetItemCount()) {
        return {-1, -1};
    }
    if (FirstColumnHeld() && point.x() < GetColumnWidth(0)) {
        return {row, 0};  // the first column stays in view (DrawFrozenColumn)
    }
    int x = point.x() + GetScrollX();
    for (int column = 0; column < GetColumnCount(); ++column) {
        x -= GetColumnWidth(column);
        if (x < 0) {
            return {row, column};
        }
    }
    return {row, -1};
}

int KGridListView::GetScrollX() const {
    return horizontalScrollBar()->value();
}

int KGridListView::GetTopRow() const {
    return verticalScrollBar()->value();
}

void KGridListView::EnsureVisible(int row) {
    if (row < 0 || row >= GetItemCount()) {
        return;
    }
    const int visible = std::max(1, viewport()->height() / m_rowHeight);
    if (row < GetTopRow()) {
        verticalScrollBar()->setValue(row);
    } else if (row >= GetTopRow() + visible) {
        verticalScrollBar()->setValue(row - visible + 1);
    }
}

// ---- grid ------------------------------------------------------------------------------------

void KGridListView::SetupHeader() {
    if (m_headerSetUp) {
        return;
    }
    m_headerSetUp = true;
    m_header->CreateWindowFont();
    const int height = m_header->PreferredHeight();
    m_rowHeight = height - 1 > 20 ? height - 1 : 21;
    // The header is the program's drawing only: it never takes the mouse.
    m_header->setEnabled(false);
    UpdateHeaderGeometry();
    UpdateScrollBars();
    viewport()->update();
}

void KGridListView::UpdateHeaderGeometry() {
    const int height = m_header->PreferredHeight();
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - height, area.width(), height);
}

void KGridListView::UpdateScrollBars() {
    const int visible = std::max(1, viewport()->height() / m_rowHeight);
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setRange(0, std::max(0, GetItemCount() - visible));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, m_header->TotalWidth() - viewport()->width()));
    m_header->SetScrollOffset(GetScrollX());
    // A scroll bar that came or went changed the view's width.
    FillLastColumn();
}

void KGridListView::BeginCellEdit(int row, int column, char16_t firstChar) {
    if (row < 0 || !IsCellEditable(row, column) || GetEditor() != nullptr) {
        return;
    }
    std::vector<QRect> rects;
    if (column < 0 || column >= GetColumnRects(row, &rects)) {
        return;
    }
    const QRect cell = rects[column];
    const int left = std::max(cell.left(), 0);
    const int right = std::min(cell.left() + cell.width(), viewport()->width());
    m_editor = CreateCellEditor(row, column, left, cell.top(), right, cell.top() + cell.height(),
                                GetItemText(row, column));
    if (m_editor && firstChar != 0) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(firstChar)));
        QCoreApplication::sendEvent(m_editor, &press);
    }
}

int KGridListView::GetFocusedRow() const {
    return m_focusRowSelected ? m_focusRow : -1;
}

void KGridListView::SetSelectedRow(int row) {
    const int before = GetFocusedRow();
    if (row < 0 || row >= GetItemCount()) {
        m_focusRowSelected = false;
        RedrawRow(before);
        return;
    }
    RedrawRow(m_focusRow);
    m_focusRow = row;
    m_focusRowSelected = true;
    RedrawRow(row);
    if (row != before) {
        emit rowSelected(row);
    }
}

void KGridListView::MoveToRow(int row) {
    SetSelectedRow(row);
    EnsureVisible(row);
}

bool KGridListView::IsCellEditable(int row, int column) const {
    auto it = m_cellEditable.find({row, column});
    return it != m_cellEditable.end() && it->second != 0;
}

void KGridListView::SetCellEditable(int row, int column, int flag) {
    m_cellEditable[{row, column}] = flag;
}

int KGridListView::GetCellSpan(int row, int column) const {
    if (row == -1 && column != -1) {
        auto it = m_header->m_columnSpans.find(column);
        return it == m_header->m_columnSpans.end() ? 1 : it->second;
    }
    auto it = m_cellSpans.find({row, column});
    return it == m_cellSpans.end() ? 1 : it->second;
}

void KGridListView::SetCellSpan(int row, int column, int span) {
    // 0 and spans below -1 mean nothing; a cell always covers itself.
    if (span == 0 || span < -1) {
        span = 1;
    }
    if (row == -1 && column != -1) {
        m_header->m_columnSpans[column] = span;
        m_header->update();
    } else {
        m_cellSpans[{row, column}] = span;
        RedrawRow(row);
    }
}

bool KGridListView::GetCellColors(int row, int column, ColorRef* text, ColorRef* back,
                                  ColorRef* border) const {
    if (row == -1 && column != -1) {
        auto it = m_header->m_columnColors.find(column);
        if (it != m_header->m_columnColors.end()) {
            *text = it->second.text;
            *back = it->second.back;
            *border = it->second.border;
        }
        return true;
    }
    auto it = m_cellColors.find({row, column});
    if (it == m_cellColors.end()) {
        return false;
    }
    const KCellColor& c = it->second;
    const bool editable = IsCellEditable(row, column);
    *text = editable ? c.text : c.textRO;
    *back = editable ? c.back : c.backRO;
    *border = editable ? c.border : c.borderRO;
    return true;
}

void KGridListView::SetCellColors(int row, int column, ColorRef text, ColorRef back, ColorRef border,
                                  ColorRef textRO, ColorRef backRO, ColorRef borderRO) {
    if (row == -1 && column != -1) {
        m_header->m_columnColors[column] = {text, back, border};
        m_header->update();
        return;
    }
    m_cellColors[{row, column}] = {text,
                                   back,
                                   border,
                                   textRO == kNoColor ? text : textRO,
                                   backRO == kNoColor ? back : backRO,
                                   borderRO == kNoColor ? border : borderRO};
}

int KGridListView::GetColumnRects(int row, std::vector<QRect>* rects) const {
    QRect bounds;
    if (m_header == nullptr || !GetItemRect(row, &bounds)) {
        return 0;
    }
    int x = bounds.left();
    const int count = GetColumnCount();
    for (int column = 0; column < count; ++column) {
        const int width = GetColumnWidth(column);
        rects->emplace_back(x, bounds.top(), width, bounds.height());
        x += width;
    }
    return count;
}

bool KGridListView::HitTestColumnBorder(int x, int y, int* column, QRect* headerRect) const {
    if (m_header->isEnabled()) {
        return false;
    }
    if (FirstColumnHeld() && x < GetColumnWidth(0) + kBorderGrip) {
        return false;  // the held first column covers the borders that scrolled under it
    }
    auto [row, hitColumn] = SubItemHitTest(QPoint(x, y));
    if (row < 0) {
        return false;
    }
    if (hitColumn == -1) {
        hitColumn = SubItemHitTest(QPoint(x - kBorderGrip, y)).second;
        if (hitColumn == -1) {
            return false;
        }
    }
    QRect rowRect;
    GetItemRect(row, &rowRect);
    if (y < rowRect.top() || y > rowRect.bottom()) {
        return false;
    }
    const QRect item = m_header->GetItemRect(hitColumn);
    const int shifted = x + GetScrollX();
    const int right = item.left() + item.width();
    if (std::abs(shifted - item.left()) <= kBorderGrip) {
        if (hitColumn == 0) {
            return false;
        }
        *column = hitColumn - 1;
        *headerRect = m_header->GetItemRect(hitColumn - 1);
        return true;
    }
    if (std::abs(shifted - right) <= kBorderGrip) {
        *column = hitColumn;
        *headerRect = item;
        return true;
    }
    return false;
}

void KGridListView::OnEndLabelEdit(KEndEditRecord& record) {
    QWidget* editor = m_editor.data();
    m_editor = nullptr;
    // Keyboard work goes on in the grid unless the edit ended because focus went elsewhere.
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || (editor != nullptr && (focus == editor || editor->isAncestorOf(focus)))) {
        setFocus(Qt::OtherFocusReason);
    }
    if (record.mask & kItemText) {
        record.text = Cleaned(record.text);
        OnEndCellEdit(record);
    }
}

// ---- overridables ----------------------------------------------------------------------------

void KGridListView::DrawItem(QPainter& painter, int row) {
    const unsigned state =
        (row == m_focusRow ? kStateFocused : 0u) | (row == GetFocusedRow() ? kStateSelected : 0u);
    painter.save();
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Active, QPalette::Text));
    std::vector<QRect> rects;
    const int count = GetColumnRects(row, &rects);
    for (int column = 0; column < count;) {
        column += std::max(1, DrawCell(painter, row, column, state, rects));
    }
    painter.restore();
}

bool KGridListView::SelectFirstEditableCell() {
    return false;
}

int KGridListView::DrawCell(QPainter& painter, int row, int column, unsigned itemState,
                            const std::vector<QRect>& columnRects) {
    const QPalette& pal = palette();
    ColorRef text = 0, back = 0, border = 0;
    bool custom = GetCellColors(row, column, &text, &back, &border);
    QColor textColor = custom ? ToQColor(text) : pal.color(QPalette::Active, QPalette::Text);
    QColor backColor = custom ? ToQColor(back) : pal.color(QPalette::Active, QPalette::Base);
    QColor borderColor = custom ? ToQColor(border) : pal.color(QPalette::Active, QPalette::Base);

    const int fontIndex = std::clamp(GetCellFontIndex(row, column), 0, 1);
    const QFont previous = painter.font();
    painter.setFont(m_cellFonts[fontIndex]);

    const int count = static_cast<int>(columnRects.size());
    const int span = GetCellSpan(row, column);
    QRect cell = columnRects[column];
    int covered = span;
    if (span > 1) {
        cell.setRight(columnRects[std::min(count - 1, column + span - 1)].right());
    } else if (span == -1) {
        cell.setRight(viewport()->width() - 1);
        covered = count - column;
    }

    if ((itemState & kStateSelected) && column == m_currentColumn && IsCellEditable(row, column)) {
        // Blue where the keys go; grey while another pane of the window has the focus, so that
        // only one pane looks focused.
        const bool elsewhere = isActiveWindow() && !hasFocus() && GetEditor() == nullptr;
        textColor = ToQColor(elsewhere ? 0x000000 : 0xFFFFFF);
        backColor = ToQColor(elsewhere ? 0xD0D0D0 : 0xFF9933);
    }

    painter.fillRect(cell, backColor);
    painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), borderColor);
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), borderColor);

    const QString label = GetItemText(row, column);
    if (!label.isEmpty()) {
        const QRect textRect = cell.adjusted(3, 0, -3, 0);
        const QFontMetrics metrics(painter.font());
        painter.setPen(textColor);
        painter.drawText(textRect,
                         (m_header->GetItemFormat(column) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter |
                             Qt::TextSingleLine,
                         metrics.elidedText(label, Qt::ElideRight, std::max(0, textRect.width())));
    }
    painter.setFont(previous);
    return covered;
}

QWidget* KGridListView::CreateCellEditor(int, int, int, int, int, int, const QString&) {
    return nullptr;
}

void KGridListView::OnEndCellEdit(KEndEditRecord& record) {
    SetItemText(record.row, record.column, record.text);
}

void KGridListView::CopyCell() {}

void KGridListView::PasteCell() {}

int KGridListView::GetCellFontIndex(int, int column) {
    return column;
}

// ---- events ----------------------------------------------------------------------------------

void KGridListView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Active, QPalette::Base));
    const int first = GetTopRow();
    const int last = std::min(GetItemCount() - 1, first + viewport()->height() / m_rowHeight + 1);
    for (int row = first; row <= last; ++row) {
        DrawItem(painter, row);
    }
    DrawFrozenColumn(painter, first, last);
    m_header->update();
}

bool KGridListView::FirstColumnHeld() const {
    return m_firstColumnFrozen && GetScrollX() > 0 && GetColumnCount() > 1;
}

void KGridListView::DrawFrozenColumn(QPainter& painter, int first, int last) {
    // Scrolled sideways, the first column (labels, entry numbers) stays where it was, drawn over
    // the cells that scrolled under it, so a wide row still says what it is.
    const int scrollX = GetScrollX();
    if (!FirstColumnHeld()) {
        return;
    }
    const int width = GetColumnWidth(0);
    painter.save();
    painter.setClipRect(QRect(0, 0, width, viewport()->height()));
    for (int row = first; row <= last; ++row) {
        std::vector<QRect> rects;
        const int count = GetColumnRects(row, &rects);
        if (count == 0) {
            continue;
        }
        for (QRect& r : rects) {
            r.translate(scrollX, 0);
        }
        const unsigned state =
            (row == m_focusRow ? kStateFocused : 0u) | (row == GetFocusedRow() ? kStateSelected : 0u);
        painter.save();
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::Active, QPalette::Text));
        DrawCell(painter, row, 0, state, rects);
        painter.restore();
    }
    painter.restore();
    painter.fillRect(QRect(width - 1, 0, 2, viewport()->height()),
                     palette().color(QPalette::Active, QPalette::Mid));
}

void KGridListView::SetLastColumnFills(int minWidth) {
    m_lastColumnMin = minWidth;
    FillLastColumn();
}

void KGridListView::FillLastColumn() {
    const int columns = GetColumnCount();
    if (m_lastColumnMin <= 0 || columns < 2) {
        return;
    }
    int others = 0;
    for (int column = 0; column + 1 < columns; ++column) {
        others += GetColumnWidth(column);
    }
    const int width = std::max(m_lastColumnMin, viewport()->width() - others);
    if (width != GetColumnWidth(columns - 1)) {
        SetColumnWidth(columns - 1, width);
    }
}

void KGridListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateHeaderGeometry();
    UpdateScrollBars();
}

void KGridListView::scrollContentsBy(int, int) {
    m_header->SetScrollOffset(GetScrollX());
    viewport()->update();
}

bool KGridListView::event(QEvent* event) {
    // The platform's cancel mode: a drag cut short by another window ends without a button-up.
    // The type is looked at first: the base class sends events while it constructs its children,
    // before the members of this class hold their values.
    if ((event->type() == QEvent::WindowDeactivate || event->type() == QEvent::FocusOut) && m_resizing) {
        m_resizing = false;
        viewport()->releaseMouse();
    }
    // Whenever the grid has the focus, an editable cell is current and shows it. A click sets its
    // own cell (HandleMouseButton); the focus an editor or a popup hands back finds its cell in
    // place. Losing the focus greys the current cell.
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const bool handled = QAbstractScrollArea::event(event);
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (event->type() == QEvent::FocusIn && reason != Qt::MouseFocusReason &&
            reason != Qt::PopupFocusReason) {
            EnsureCurrentCell(reason == Qt::BacktabFocusReason);
        }
        viewport()->update();
        return handled;
    }
    // Tab moves between the editable cells and leaves the grid past its last (Shift+Tab: before
    // its first); Ctrl+Tab always leaves it. During an edit the editor has the key.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if ((key->modifiers() & Qt::ControlModifier) && GetEditor() == nullptr) {
                focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            } else {
                keyPressEvent(key);
            }
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

bool KGridListView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Wheel && GetEditor() != nullptr) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void KGridListView::wheelEvent(QWheelEvent* event) {
    if (GetEditor() != nullptr) {
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void KGridListView::keyPressEvent(QKeyEvent* event) {
    if (QWidget* editor = GetEditor()) {
        // Keys that reach the grid during an edit belong to the editor. Keys the editor itself
        // passed up are not sent back.
        if (!m_forwardingKey && QApplication::focusWidget() != editor) {
            m_forwardingKey = true;
            QCoreApplication::sendEvent(editor, event);
            m_forwardingKey = false;
        }
        event->accept();
        return;
    }
    if (HandleNavigationKey(event)) {
        event->accept();
        return;
    }
    // What the list itself does with the keys the grid passes on.
    switch (event->key()) {
        case Qt::Key_Left:
            horizontalScrollBar()->setValue(GetScrollX() - kHorizontalKeyStep);
            return;
        case Qt::Key_Right:
            horizontalScrollBar()->setValue(GetScrollX() + kHorizontalKeyStep);
            return;
        case Qt::Key_Home:
        case Qt::Key_End: {
            // The first or last cell that can be edited (with or without Ctrl), never a title row.
            int r = -1, c = -1;
            if (event->key() == Qt::Key_Home
                    ? FindNextEditable(0, -1, true, &r, &c)
                    : FindNextEditable(GetItemCount() - 1, GetColumnCount(), false, &r, &c)) {
                MoveToCell(r, c, GetFocusedRow());
            } else {
                MoveToRow(event->key() == Qt::Key_Home ? 0 : GetItemCount() - 1);
            }
            return;
        }
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            // A page away, on the nearest row that can be edited in the current column (further
            // on first), else on the nearest editable cell.
            const bool down = event->key() == Qt::Key_PageDown;
            const int step = std::max(1, viewport()->height() / m_rowHeight - 1);
            const int from = std::max(m_focusRow, 0);
            const int to = std::clamp(down ? from + step : from - step, 0, std::max(GetItemCount() - 1, 0));
            for (const bool further : {down, !down}) {
                for (int r = to; r >= 0 && r < GetItemCount(); r += further ? 1 : -1) {
                    if (IsCellEditable(r, m_currentColumn)) {
                        MoveToRow(r);
                        return;
                    }
                }
            }
            if (GetItemCount() > 0) {
                MoveToRow(to);
                EnsureCurrentCell(!down);
            }
            return;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            BeginCellEdit(GetFocusedRow(), m_currentColumn, 0);
            return;
        default:
            break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        BeginCellEdit(GetFocusedRow(), m_currentColumn, text[0].unicode());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool KGridListView::FindNextEditable(int row, int column, bool forward, int* foundRow,
                                     int* foundColumn) const {
    const int rows = GetItemCount();
    const int columns = GetColumnCount();
    if (forward) {
        for (int r = row, c = column + 1; r < rows; ++r, c = 0) {
            for (; r >= 0 && c < columns; ++c) {
                if (IsCellEditable(r, c)) {
                    *foundRow = r;
                    *foundColumn = c;
                    return true;
                }
            }
        }
    } else {
        for (int r = row, c = column - 1; r >= 0; --r, c = columns - 1) {
            for (; c >= 0; --c) {
                if (IsCellEditable(r, c)) {
                    *foundRow = r;
                    *foundColumn = c;
                    return true;
                }
            }
        }
    }
    return false;
}

bool KGridListView::NearestEditable(int row, int* foundRow, int* foundColumn) const {
    // The row's own first editable cell, else the nearest below, else the nearest above.
    return (FindNextEditable(row, -1, true, foundRow, foundColumn) && *foundRow == row) ||
           FindNextEditable(row + 1, -1, true, foundRow, foundColumn) ||
           FindNextEditable(row - 1, GetColumnCount(), false, foundRow, foundColumn);
}

void KGridListView::EnsureCurrentCell(bool fromBehind) {
    if (GetEditor() != nullptr) {
        return;
    }
    const int row = GetFocusedRow();
    if (row >= 0 && IsCellEditable(row, m_currentColumn)) {
        return;
    }
    int r = -1, c = -1;
    bool found = false;
    if (row >= 0) {
        found = NearestEditable(row, &r, &c);
    } else {
        found = fromBehind ? FindNextEditable(GetItemCount() - 1, GetColumnCount(), false, &r, &c)
                           : FindNextEditable(0, -1, true, &r, &c);
    }
    if (found) {
        MoveToCell(r, c, row);
    }
}

void KGridListView::MoveToCell(int row, int column, int focusedRow) {
    m_currentColumn = column;
    if (row != focusedRow) {
        MoveToRow(row);
    } else {
        RedrawRow(row);
    }
}

bool KGridListView::HandleNavigationKey(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int col = m_currentColumn;
    const int row = GetFocusedRow();
    const bool nowhere = col == -1 && row == -1;

    auto tabSearch = [&](bool forward) {
        if (nowhere && forward && SelectFirstEditableCell()) {
            return;
        }
        // From nowhere, Shift+Tab comes in from behind: the last editable cell.
        int r = -1, c = -1;
        const bool found = nowhere && !forward
                               ? FindNextEditable(GetItemCount() - 1, GetColumnCount(), false, &r, &c)
                               : FindNextEditable(row, col, forward, &r, &c);
        if (found) {
            MoveToCell(r, c, row);
        } else {
            // Past the last editable cell (or before the first) the next pane takes over.
            focusNextPrevChild(forward);
        }
    };
    auto rowSearch = [&](bool leftwards) {
        const int columns = GetColumnCount();
        for (int c = leftwards ? col - 1 : col + 1; c >= 0 && c < columns; c += leftwards ? -1 : 1) {
            if (!IsCellEditable(row, c)) {
                continue;
            }
            m_currentColumn = c;
            std::vector<QRect> rects;
            if (c < GetColumnRects(row, &rects)) {
                const QRect& cell = rects[c];
                if (leftwards && cell.left() < 0) {
                    horizontalScrollBar()->setValue(GetScrollX() + cell.left());
                } else if (!leftwards && cell.left() + cell.width() > viewport()->width()) {
                    horizontalScrollBar()->setValue(GetScrollX() + cell.left() + cell.width() -
                                                    viewport()->width());
                }
            }
            RedrawRow(row);
            return true;
        }
        return false;
    };
    auto columnSearch = [&](bool upwards) {
        for (int r = upwards ? row - 1 : row + 1; r >= 0 && r < GetItemCount(); r += upwards ? -1 : 1) {
            if (IsCellEditable(r, col)) {
                MoveToRow(r);
                return;
            }
        }
    };

    if ((key == Qt::Key_Tab && !(mods & Qt::ControlModifier)) || key == Qt::Key_Backtab) {
        tabSearch(key == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
        return true;
    }
    switch (key) {
        case Qt::Key_Left:
            if (nowhere) {
                tabSearch(true);
                return true;
            }
            return rowSearch(true);
        case Qt::Key_Right:
            if (nowhere && SelectFirstEditableCell()) {
                return true;
            }
            return rowSearch(false);
        case Qt::Key_Up:
            if (nowhere) {
                tabSearch(true);
            } else {
                columnSearch(true);
            }
            return true;
        case Qt::Key_Down:
            if (nowhere) {
                tabSearch(true);
            } else {
                columnSearch(false);
            }
            return true;
        case Qt::Key_C:
        case Qt::Key_V:
            if (mods & Qt::ControlModifier) {
                const bool copy = key == Qt::Key_C;
                QMetaObject::invokeMethod(
                    this,
                    [this, copy] {
                        if (copy) {
                            CopyCell();
                        } else {
                            PasteCell();
                        }
                    },
                    Qt::QueuedConnection);
            }
            return false;
        default:
            return false;
    }
}

bool KGridListView::HandleMouseButton(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton && event->type() == QEvent::MouseButtonPress) {
        int column = -1;
        QRect headerRect;
        if (HitTestColumnBorder(point.x(), point.y(), &column, &headerRect)) {
            m_resizeColumn = column;
            m_resizeColumnRect = headerRect;
            m_resizeStart = point;
            m_resizeStartScroll = GetScrollX();
            m_resizing = true;
            viewport()->grabMouse();
            return true;
        }
    }
    auto [row, column] = SubItemHitTest(point);
    if (row >= 0 && column >= 0) {
        // A click on a label or a section makes the nearest editable cell current instead. Where
        // none is in view (an empty entry far down a long list) the cell is taken as clicked, so
        // that the list does not jump away from under the pointer.
        int r = row, c = column;
        const int visible = std::max(1, viewport()->height() / m_rowHeight);
        if (!IsCellEditable(row, column) &&
            !(NearestEditable(row, &r, &c) && r >= GetTopRow() && r < GetTopRow() + visible)) {
            r = row;
            c = column;
        }
        if (c != m_currentColumn) {
            if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) {
                viewport()->update();
            } else {
                RedrawRow(r);
                RedrawRow(GetFocusedRow());
            }
        }
        m_currentColumn = c;
        // The list's own selection follows the click.
        SetSelectedRow(r);
        EnsureVisible(r);
    } else {
        // Beside or below the cells: the current cell stays.
        EnsureCurrentCell(false);
    }
    setFocus(Qt::MouseFocusReason);
    return false;
}

void KGridListView::mousePressEvent(QMouseEvent* event) {
    if (GetEditor() != nullptr) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        HandleMouseButton(event);
        event->accept();
        return;
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void KGridListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (GetEditor() != nullptr) {
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    HandleMouseButton(event);
    if (event->button() == Qt::LeftButton && !(event->modifiers() & Qt::ControlModifier)) {
        // Only the cell under the pointer opens, never the one a click on its label made current.
        const auto [row, column] = SubItemHitTest(event->position().toPoint());
        if (row == GetFocusedRow() && column == m_currentColumn) {
            BeginCellEdit(row, column, 0);
        }
    }
}

void KGridListView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_resizing) {
        const int scroll = GetScrollX();
        if (scroll != m_resizeStartScroll) {
            m_resizeStart.rx() -= scroll - m_resizeStartScroll;
            m_resizeStartScroll = scroll;
        }
        m_lastColumnMin = 0;  // the user sizes the columns from now on
        SetColumnWidth(m_resizeColumn,
                       std::max(kMinColumnWidth, m_resizeColumnRect.width() + point.x() - m_resizeStart.x()));
        return;
    }
    if (GetEditor() == nullptr) {
        int column = -1;
        QRect headerRect;
        if (HitTestColumnBorder(point.x(), point.y(), &column, &headerRect)) {
            viewport()->setCursor(Qt::SplitHCursor);
        } else {
            viewport()->unsetCursor();
        }
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void KGridListView::mouseReleaseEvent(QMouseEvent* event) {
    if (m_resizing && event->button() == Qt::LeftButton) {
        m_resizing = false;
        viewport()->releaseMouse();
    }
    event->accept();
}
