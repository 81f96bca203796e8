#pragma once
// The limits every settings text field shares, held as one value: at most one length limit
// measured in one of four ways, an ASCII-only switch for pastes and an optional set of allowed
// characters. KLimitedEdit carries one and applies it to typing, pasting and every text change.
#include <QString>

enum class LengthMeasure { kNone, kCodeUnits, kAnsiBytes, kUtf8Bytes, kDisplayWidth };

struct LengthLimit {
    LengthMeasure measure = LengthMeasure::kNone;
    int limit = 0;
};

// The member names are the fields' own: pages set them one by one on the editor they open.
struct EditLimits {
    int m_maxChars = 0;      // UTF-16 code units
    int m_maxAnsiBytes = 0;  // bytes in the ANSI code page
    int m_maxUtf8Bytes = 0;  // bytes in UTF-8
    int m_maxWidth = 0;      // display width: 1 per ASCII code unit, 2 per any other
    int m_asciiOnly = 0;     // a paste holding anything above 127 is refused whole
    QString m_allowedChars;  // empty: every character is allowed

    // The first non-zero limit in the order above; none when all are 0.
    LengthLimit ActiveLimit() const;
    bool Allows(QChar ch) const { return m_allowedChars.isEmpty() || m_allowedChars.contains(ch); }
};

int MeasureText(const QString& text, LengthMeasure measure);

// The text the cut-down paste keeps of `pasted` when it goes after `present`: cut from its end,
// never leaving half a surrogate pair.
QString FitPastedText(const QString& present, QString pasted, const LengthLimit& limit);
