#include "gui/editor/k_grid_list_ctrl_combo.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTimer>

namespace {
constexpr int kListHeight = 600;
constexpr int kListWidthPad = 20;
constexpr int kMaxReportedText = 511;
}  // namespace

KGridListCtrlCombo::KGridListCtrlCombo(KGridListView* owner, int row, int column, int left, int top,
                                       int right, int bottom, const QStringList& items, const QString& text)
    : QComboBox(owner->viewport()), m_owner(owner), m_initialText(text) {
    m_endEditRecord.row = row;
    m_endEditRecord.column = column;
    setEditable(false);
    setFont(owner->font());
    setGeometry(left, top, right - left, bottom - top);
    addItems(items);
    setCurrentIndex(static_cast<int>(items.indexOf(text)));

    const QFontMetrics metrics(owner->font());
    int widest = 0;
    for (const QString& item : items) {
        widest = std::max(widest, metrics.horizontalAdvance(item));
    }
    m_droppedWidth = std::min(widest + kListWidthPad, owner->viewport()->width() - left);
    view()->setMinimumWidth(std::max(m_droppedWidth, 0));
    setMaxVisibleItems(std::max(1, kListHeight / std::max(1, metrics.height() + 4)));
    view()->installEventFilter(this);
    view()->window()->installEventFilter(this);

    show();
    setFocus(Qt::OtherFocusReason);
    showPopup();
    if (currentIndex() < 0) {
        // The value is one the list does not offer: no item is highlighted until the user moves
        // to one, so Enter alone chooses nothing.
        view()->setCurrentIndex(QModelIndex());
        view()->selectionModel()->clear();
    }
}

KGridListCtrlCombo::~KGridListCtrlCombo() {
    m_closing = 1;
}

void KGridListCtrlCombo::hidePopup() {
    QComboBox::hidePopup();
    PostClose();
}

void KGridListCtrlCombo::PostClose() {
    if (m_closing != 0) {
        return;
    }
    m_closing = 1;
    QTimer::singleShot(0, this, &KGridListCtrlCombo::Close);
}

void KGridListCtrlCombo::Close() {
    // Escape, and a list closed without any item chosen (the cell's value is one the list does not
    // offer), report the text the combo opened on: nothing changes unless the user chose.
    m_endEditRecord.text =
        m_cancelled || currentIndex() < 0 ? m_initialText : currentText().left(kMaxReportedText);
    m_endEditRecord.mask = m_endEditRecord.text != m_initialText ? KGridListView::kItemText : 0;
    if (hasFocus() && m_owner) {
        m_owner->setFocus(Qt::OtherFocusReason);
    }
    hide();
    if (m_owner) {
        m_owner->OnEndLabelEdit(m_endEditRecord);
    }
    deleteLater();
}

bool KGridListCtrlCombo::eventFilter(QObject* watched, QEvent* event) {
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (m_closing == 0 && watched == view() && keyEvent) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Escape:
                setCurrentIndex(
                    static_cast<int>(findText(m_initialText, Qt::MatchExactly | Qt::MatchCaseSensitive)));
                m_cancelled = true;
                hidePopup();
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                if (!view()->currentIndex().isValid()) {
                    m_cancelled = true;  // nothing highlighted: nothing chosen
                    hidePopup();
                    return true;
                }
                break;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                // The highlighted item is the choice, as it is for Enter.
                if (view()->currentIndex().isValid()) {
                    setCurrentIndex(view()->currentIndex().row());
                }
                hidePopup();
                return true;
            default:
                break;
        }
    }
    if (m_closing == 0 && watched == view()->window() && event->type() == QEvent::Hide) {
        // The list closed: dismissed by a click outside or chosen from.
        PostClose();
    }
    return QComboBox::eventFilter(watched, event);
}

void KGridListCtrlCombo::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            setCurrentIndex(
                static_cast<int>(findText(m_initialText, Qt::MatchExactly | Qt::MatchCaseSensitive)));
            m_cancelled = true;
            PostClose();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            PostClose();
            return;
        default:
            QComboBox::keyPressEvent(event);
    }
}

void KGridListCtrlCombo::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && !view()->isVisible()) {
        PostClose();
    }
}
