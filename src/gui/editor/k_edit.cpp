#include "gui/editor/k_edit.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "gui/editor/edit_limits.h"

namespace {
constexpr int kMaxDroppedPath = 260;
}

KEdit::KEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { FilterAllowedChars(); });
}

void KEdit::DetachInputMethod() {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
}

void KEdit::FilterAllowedChars() {
    ::FilterAllowedChars(*this, m_allowedChars);
}

void KEdit::Paste() {
    const EditLimit limit = ActiveEditLimit(m_maxChars, m_maxAnsiBytes, m_maxUtf8Bytes, m_maxWidth);
    if (!FilteredPaste(*this, ReadClipboardText(), m_asciiOnly != 0, limit)) {
        paste();
    }
}

void KEdit::TypeChar(QChar ch) {
    const EditLimit limit = ActiveEditLimit(m_maxChars, m_maxAnsiBytes, m_maxUtf8Bytes, m_maxWidth);
    if (limit.measure == LengthMeasure::kNone) {
        insert(QString(ch));
    } else {
        TypeLimitedChar(*this, ch, limit);
    }
}

void KEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        selectAll();
        return;
    }
    const QString text = event->text();
    // Control codes and keys without text (Enter included, which belongs to the dialog) go to
    // the field unfiltered.
    if (text.isEmpty() || text[0].unicode() <= 30 || (event->modifiers() & Qt::ControlModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    for (QChar ch : text) {
        TypeChar(ch);
    }
}

void KEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The menu's Paste must obey the same limits as Ctrl+V.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &KEdit::Paste);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void KEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The X11 selection paste would slip past the limits.
    if (event->button() == Qt::MiddleButton) {
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void KEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!testAttribute(Qt::WA_InputMethodEnabled)) {
        event->ignore();
        return;
    }
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&preeditOnly);
    for (QChar ch : event->commitString()) {
        TypeChar(ch);
    }
}

void KEdit::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void KEdit::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void KEdit::dropEvent(QDropEvent* event) {
    // Dropped files replace the text with their path; a single-line field takes the first only.
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            setText(url.toLocalFile().left(kMaxDroppedPath));
            event->acceptProposedAction();
            return;
        }
    }
    event->ignore();
}
