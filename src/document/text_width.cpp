#include "document/text_width.h"

size_t TextWidth(std::u16string_view text) {
    size_t width = text.size();
    for (char16_t c : text) {
        if (c > 0x7F) {
            ++width;
        }
    }
    return width;
}

bool FitTextWidth(std::u16string& text, size_t limit) {
    size_t width = TextWidth(text);
    if (width <= limit) {
        return false;
    }
    while (!text.empty() && width > limit) {
        width -= text.back() > 0x7F ? 2 : 1;
        text.pop_back();
    }
    return true;
}

std::u16string MaskText(std::u16string_view text) {
    return std::u16string(text.size(), u'*');
}
