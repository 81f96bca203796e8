#include "gui/editor/edit_limits.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>

#include "document/text_width.h"
#include "platform/code_page.h"

EditLimit ActiveEditLimit(int maxChars, int maxAnsiBytes, int maxUtf8Bytes, int maxWidth) {
    if (maxChars != 0) {
        return {LengthMeasure::kCodeUnits, maxChars};
    }
    if (maxAnsiBytes != 0) {
        return {LengthMeasure::kAnsiBytes, maxAnsiBytes};
    }
    if (maxUtf8Bytes != 0) {
        return {LengthMeasure::kUtf8Bytes, maxUtf8Bytes};
    }
    if (maxWidth != 0) {
        return {LengthMeasure::kDisplayWidth, maxWidth};
    }
    return {};
}

int MeasureText(const QString& text, LengthMeasure measure) {
    switch (measure) {
        case LengthMeasure::kCodeUnits:
            return static_cast<int>(text.size());
        case LengthMeasure::kAnsiBytes:
            return static_cast<int>(ToAnsi(text.toStdU16String()).size());
        case LengthMeasure::kUtf8Bytes:
            return static_cast<int>(text.toUtf8().size());
        case LengthMeasure::kDisplayWidth:
            return static_cast<int>(TextWidth(text.toStdU16String()));
        case LengthMeasure::kNone:
            break;
    }
    return 0;
}

namespace {

void DeleteSelection(QLineEdit& field) {
    if (field.hasSelectedText()) {
        field.del();
    }
}

// Removes the last character: a whole surrogate pair, so a cut never leaves half a character.
void DropLastCharacter(QString& text) {
    const qsizetype size = text.size();
    if (size >= 2 && text[size - 1].isLowSurrogate() && text[size - 2].isHighSurrogate()) {
        text.chop(2);
    } else {
        text.chop(1);
    }
}

}  // namespace

void TypeLimitedChar(QLineEdit& field, QChar ch, const EditLimit& limit) {
    DeleteSelection(field);
    if (MeasureText(field.text() + ch, limit.measure) <= limit.limit) {
        field.insert(QString(ch));
    }
}

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

QString FitPastedText(const QString& present, QString pasted, const EditLimit& limit) {
    if (limit.measure == LengthMeasure::kCodeUnits) {
        const qsizetype room = std::max<qsizetype>(0, limit.limit - present.size());
        pasted.truncate(room);
        // Half a surrogate pair is no character the radio can hold.
        if (!pasted.isEmpty() && pasted.back().isHighSurrogate()) {
            pasted.chop(1);
        }
        return pasted;
    }
    while (!pasted.isEmpty() && MeasureText(present + pasted, limit.measure) > limit.limit) {
        DropLastCharacter(pasted);
    }
    return pasted;
}

bool FilteredPaste(QLineEdit& field, const QString& text, bool asciiOnly, const EditLimit& limit) {
    if (text.isEmpty()) {
        return false;
    }
    if (asciiOnly) {
        for (QChar ch : text) {
            if (ch.unicode() > 127) {
                return true;
            }
        }
    }
    if (limit.measure == LengthMeasure::kNone) {
        return false;
    }
    DeleteSelection(field);
    const QString fitting = FitPastedText(field.text(), text, limit);
    if (!fitting.isEmpty()) {
        field.insert(fitting);
    }
    return true;
}

bool FilterAllowedChars(QLineEdit& field, const QString& allowed) {
    if (allowed.isEmpty()) {
        return false;
    }
    const QString text = field.text();
    int start = field.hasSelectedText() ? field.selectionStart() : field.cursorPosition();
    int end = field.hasSelectedText() ? field.selectionEnd() : start;
    const bool caretAtStart = field.hasSelectedText() && field.cursorPosition() == start;
    QString rebuilt;
    rebuilt.reserve(text.size());
    for (QChar ch : text) {
        if (allowed.contains(ch)) {
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
    if (rebuilt == text) {
        return false;
    }
    const bool modified = field.isModified();
    field.setText(rebuilt);
    field.setModified(modified);
    if (start == end) {
        field.setCursorPosition(start);
    } else if (caretAtStart) {
        field.setSelection(end, start - end);
    } else {
        field.setSelection(start, end - start);
    }
    return true;
}
