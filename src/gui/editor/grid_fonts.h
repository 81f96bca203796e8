#pragma once
// Fonts of the grid and its header. Sizes are character heights in pixels, so a row holds the
// same text on every screen the program runs on.
#include <QFont>

// "Arial", or the Japanese UI face when the user's default UI language is Japanese.
QString GridFontFace();

// A font of the grid face whose character height (ascent + descent without internal leading)
// is `pixels`.
QFont GridCharFont(int pixels, bool bold);

// A font of the grid face whose cell height (ascent + descent) is at most `pixels`.
QFont GridCellFont(int pixels, bool bold);
