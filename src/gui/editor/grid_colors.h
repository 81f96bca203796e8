#pragma once
// Grid colours are kept as the radio program's 0x00BBGGRR values, so that page tables read the
// same as the colour values pages have always used; Qt colours are made only for painting.
#include <QColor>
#include <cstdint>

using ColorRef = uint32_t;

// "No colour given" for the read-only triple of SetCellColors.
inline constexpr ColorRef kNoColor = 0xFFFFFFFFu;

inline QColor ToQColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}
