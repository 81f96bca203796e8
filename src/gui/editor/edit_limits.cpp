#include "gui/editor/edit_limits.h"

#include <algorithm>

#include "document/text_width.h"
#include "platform/code_page.h"

LengthLimit EditLimits::ActiveLimit() const {
    if (m_maxChars != 0) {
        return {LengthMeasure::kCodeUnits, m_maxChars};
    }
    if (m_maxAnsiBytes != 0) {
        return {LengthMeasure::kAnsiBytes, m_maxAnsiBytes};
    }
    if (m_maxUtf8Bytes != 0) {
        return {LengthMeasure::kUtf8Bytes, m_maxUtf8Bytes};
    }
    if (m_maxWidth != 0) {
        return {LengthMeasure::kDisplayWidth, m_maxWidth};
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

QString FitPastedText(const QString& present, QString pasted, const LengthLimit& limit) {
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
