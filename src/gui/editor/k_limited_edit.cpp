#include "gui/editor/k_limited_edit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include "platform/code_page.h"

namespace {

constexpr int kNoQtLimit = 32767;

// Text to paste: Unicode text on the clipboard, else its 8-bit text read from the ANSI code page.
QString ReadClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr) {
        return {};
    }
    QString text = data->text();
    if (!text.isEmpty()) {
        return text;
    }
    // 8-bit text from programs that only offer their code page.
    for (const QString& format : data->formats()) {
        if (format.startsWith(QLatin1String("text/plain;charset="), Qt::CaseInsensitive)) {
            const QByteArray bytes = data->data(format);
            if (!bytes.isEmpty()) {
                return QString::fromStdU16String(FromAnsi(std::string_view(bytes.constData(), bytes.size())));
            }
        }
    }
    return {};
}

bool HasNonAscii(const QString& text) {
    for (QChar ch : text) {
        if (ch.unicode() > 127) {
            return true;
        }
    }
    return false;
}

}  // namespace

KLimitedEdit::KLimitedEdit(QWidget* parent) : QLineEdit(parent) {}

void KLimitedEdit::LiftLengthLimit() {
    // Qt resets the selection when the limit changes, so change it only once.
    if (maxLength() != kNoQtLimit) {
        setMaxLength(kNoQtLimit);
    }
}

void KLimitedEdit::DetachInputMethod() {
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
}

void KLimitedEdit::FilterAllowedChars() {
    if (m_allowedChars.isEmpty()) {
        return;
    }
    const QString old = text();
    int start = hasSelectedText() ? selectionStart() : cursorPosition();
    int end = hasSelectedText() ? selectionEnd() : start;
    const bool caretAtStart = hasSelectedText() && cursorPosition() == start;
    QString rebuilt;
    rebuilt.reserve(old.size());
    for (QChar ch : old) {
        if (m_allowedChars.contains(ch)) {
            rebuilt.append(ch);
            continue;
        }
        if (start > rebuilt.size()) {
            --start;
        }
        if (end > rebuilt.size()) {
            --end;
        }
    }
    if (rebuilt == old) {
        return;
    }
    const bool modified = isModified();
    setText(rebuilt);
    setModified(modified);
    if (start == end) {
        setCursorPosition(start);
    } else if (caretAtStart) {
        setSelection(end, start - end);
    } else {
        setSelection(start, end - start);
    }
}

void KLimitedEdit::Paste() {
    // insert() does not look at the read-only flag; a read-only field takes no text this way.
    if (isReadOnly()) {
        return;
    }
    const QString clipboard = ReadClipboardText();
    if (clipboard.isEmpty()) {
        return;
    }
    if (m_asciiOnly != 0 && HasNonAscii(clipboard)) {
        return;
    }
    // Only what arrives is filtered: the text the field already holds stays as it is.
    QString text;
    text.reserve(clipboard.size());
    for (QChar ch : clipboard) {
        if (Allows(ch)) {
            text.append(ch);
        }
    }
    const LengthLimit limit = ActiveLimit();
    if (hasSelectedText()) {
        del();
    }
    const QString fitting =
        limit.measure == LengthMeasure::kNone ? text : FitPastedText(this->text(), text, limit);
    if (!fitting.isEmpty()) {
        insert(fitting);
    }
}

void KLimitedEdit::TypeChar(QChar ch) {
    if (isReadOnly() || !Allows(ch)) {
        return;  // dropped without touching the selection
    }
    const LengthLimit limit = ActiveLimit();
    if (limit.measure == LengthMeasure::kNone) {
        insert(QString(ch));
        return;
    }
    if (hasSelectedText()) {
        del();
    }
    if (MeasureText(text() + ch, limit.measure) <= limit.limit) {
        insert(QString(ch));
    }
}

void KLimitedEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        return;
    }
    if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
        selectAll();
        return;
    }
    const QString typed = event->text();
    // Control codes and keys without text (Backspace, Tab, Enter, Escape, Ctrl+letter) go to
    // the field unfiltered.
    if (typed.isEmpty() || typed[0].unicode() <= 30 || (event->modifiers() & Qt::ControlModifier)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // A compressed key repeat arrives as several characters: each goes through the rules.
    for (QChar ch : typed) {
        TypeChar(ch);
    }
}

void KLimitedEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // The menu's Paste must obey the same limits as Ctrl+V.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, &KLimitedEdit::Paste);
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void KLimitedEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The X11 selection paste would slip past the limits.
    if (event->button() == Qt::MiddleButton) {
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void KLimitedEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!testAttribute(Qt::WA_InputMethodEnabled) || isReadOnly()) {
        event->ignore();
        return;
    }
    if (event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Committed text arrives as typed characters, so the limits hold for composed text too.
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&preeditOnly);
    for (QChar ch : event->commitString()) {
        TypeChar(ch);
    }
}
