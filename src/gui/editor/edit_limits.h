#pragma once
// The filtering every settings text field shares: at most one length limit measured in one of
// four ways, an optional set of allowed characters and an ASCII-only switch. The grid's cell
// editor and the dialogs' KEdit keep their own limit fields and run these rules over them.
#include <QString>

class QLineEdit;

enum class LengthMeasure { kNone, kCodeUnits, kAnsiBytes, kUtf8Bytes, kDisplayWidth };

struct EditLimit {
    LengthMeasure measure = LengthMeasure::kNone;
    int limit = 0;
};

// The first non-zero limit in the order code units, ANSI bytes, UTF-8 bytes, display width.
EditLimit ActiveEditLimit(int maxChars, int maxAnsiBytes, int maxUtf8Bytes, int maxWidth);

int MeasureText(const QString& text, LengthMeasure measure);

// A typed character under a limit: deletes the selection (undoably), then inserts the character
// only if the text still fits.
void TypeLimitedChar(QLineEdit& field, QChar ch, const EditLimit& limit);

// Text to paste: Unicode text on the clipboard, else its 8-bit text read from the ANSI code page.
QString ReadClipboardText();

// The paste rule of a limited field: refused when ASCII only is set and the text holds anything
// above 127; under a limit the text is cut from its end until it fits and inserted undoably.
// Returns false when the field's own paste should run instead.
bool FilteredPaste(QLineEdit& field, const QString& text, bool asciiOnly, const EditLimit& limit);

// Drops every character not in `allowed` (empty: all allowed), keeping the selection on the
// characters that stay. Returns true when the text changed.
bool FilterAllowedChars(QLineEdit& field, const QString& allowed);

// The text the cut-down paste keeps of `pasted` when it goes after `present`.
QString FitPastedText(const QString& present, QString pasted, const EditLimit& limit);
