#pragma once
// Language texts as the page cells show them.
#include <QString>
#include <cstdint>
#include <initializer_list>

#include "text/language_texts.h"

inline QString PageText(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

inline QString PageText(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}
