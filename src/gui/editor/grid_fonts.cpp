#include "gui/editor/grid_fonts.h"

#include <QFontMetrics>

#include "platform/language_id.h"

QString GridFontFace() {
    if (SystemDefaultLanguageId() == kLangJapanese) {
        return QString::fromUtf8("ＭＳ Ｐゴシック");
    }
    return QStringLiteral("Arial");
}

QFont GridCharFont(int pixels, bool bold) {
    QFont font(GridFontFace());
    font.setPixelSize(pixels);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QFont GridCellFont(int pixels, bool bold) {
    QFont font = GridCharFont(pixels, bold);
    // Qt sizes by character height; step down until the whole cell fits.
    for (int size = pixels; size > 4; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= pixels) {
            break;
        }
    }
    return font;
}
