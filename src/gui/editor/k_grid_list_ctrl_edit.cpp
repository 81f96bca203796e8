#include "gui/editor/k_grid_list_ctrl_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>

namespace {

constexpr int kMaxReportedText = 511;

// Shows the field's own password character instead of the platform's.
class PasswordCharStyle : public QProxyStyle {
  public:
    explicit PasswordCharStyle(char16_t ch) : m_char(ch) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return m_char;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

  private:
    char16_t m_char;
};

}  // namespace

KGridListCtrlEdit::KGridListCtrlEdit(KGridListView* owner, int row, int column, int left, int top, int right,
                                     int bottom, const QString& text, char16_t passwordChar)
    : KLimitedEdit(owner->viewport()), m_owner(owner), m_initialText(text) {
    m_endEditRecord.row = row;
    m_endEditRecord.column = column;
    setAttribute(Qt::WA_DeleteOnClose);
    setFrame(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setGeometry(left, top, right - left, bottom - top);
    setFont(owner->font());
    if (passwordChar != 0) {
        m_passwordStyle = std::make_unique<PasswordCharStyle>(passwordChar);
        setStyle(m_passwordStyle.get());
        setEchoMode(QLineEdit::Password);
    }
    LiftLengthLimit();
    setText(text);
    selectAll();
    show();
    setFocus(Qt::OtherFocusReason);
    // The field holds the mouse, so a click anywhere else reaches it (and ends the edit) before
    // it can move focus or selection; the wheel ends the edit wherever it turns.
    grabMouse();
    qApp->installEventFilter(this);
}

KGridListCtrlEdit::~KGridListCtrlEdit() {
    // Destroyed with its grid: the focus change on the way out must not end the edit again.
    m_closing = 1;
    qApp->removeEventFilter(this);
    releaseMouse();
    if (m_passwordStyle) {
        setStyle(nullptr);
    }
}

void KGridListCtrlEdit::EndEdit() {
    if (m_closing != 0) {
        return;
    }
    m_closing = 1;
    qApp->removeEventFilter(this);
    releaseMouse();
    m_endEditRecord.text = text().left(kMaxReportedText);
    m_endEditRecord.mask = m_endEditRecord.text != m_initialText ? KGridListView::kItemText : 0;
    // Keyboard work goes back to the grid, not to whatever widget Qt would pick when a focused
    // field disappears.
    if (hasFocus() && m_owner) {
        m_owner->setFocus(Qt::OtherFocusReason);
    }
    hide();
    if (m_owner) {
        m_owner->OnEndLabelEdit(m_endEditRecord);
    }
    deleteLater();
}

bool KGridListCtrlEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            EndEdit();
            return true;
        }
    }
    return KLimitedEdit::event(event);
}

bool KGridListCtrlEdit::eventFilter(QObject* watched, QEvent* event) {
    if (m_closing != 0) {
        return false;
    }
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QRect own(mapToGlobal(QPoint(0, 0)), size());
            if (!own.contains(mouse->globalPosition().toPoint())) {
                EndEdit();
                return true;
            }
            break;
        }
        case QEvent::Wheel:
            EndEdit();
            return true;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void KGridListCtrlEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            setText(m_initialText);
            EndEdit();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EndEdit();
            return;
        default:
            break;
    }
    KLimitedEdit::keyPressEvent(event);
}

void KGridListCtrlEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) {
        EndEdit();
    }
}

// The page going away with the editor open (another page chosen, the window closing) ends the
// edit as focus leaving does, even when the editor never held the focus.
void KGridListCtrlEdit::hideEvent(QHideEvent* event) {
    QLineEdit::hideEvent(event);
    EndEdit();
}

void KGridListCtrlEdit::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        EndEdit();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void KGridListCtrlEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        EndEdit();
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}
