#pragma once
// The language text table: every caption, label and message is a numeric text ID looked up here.
// Filled once at start-up from the language files beside the program, read-only afterwards, so
// any thread may read it without a lock.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Texts point into the buffers of the loaded files, which live until the program ends.
extern std::unordered_map<uint32_t, const char16_t*> g_languageTexts;
extern std::vector<std::unique_ptr<char16_t[]>> g_languageBuffers;

// The text of an ID, or "ID_<id>" when the table has none.
std::u16string GetLanguageText(uint32_t id);
bool HasLanguageText(uint32_t id);

// One printf argument. Integers keep their signedness; text is UTF-16.
struct FormatArg {
    enum class Kind { Signed, Unsigned, Text };
    Kind kind;
    int64_t s = 0;
    uint64_t u = 0;
    std::u16string_view text;

    FormatArg(int v) : kind(Kind::Signed), s(v) {}
    FormatArg(long v) : kind(Kind::Signed), s(v) {}
    FormatArg(long long v) : kind(Kind::Signed), s(v) {}
    FormatArg(unsigned v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(unsigned long v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(unsigned long long v) : kind(Kind::Unsigned), u(v) {}
    FormatArg(std::u16string_view v) : kind(Kind::Text), text(v) {}
    FormatArg(const std::u16string& v) : kind(Kind::Text), text(v) {}
    FormatArg(const char16_t* v) : kind(Kind::Text), text(v ? v : u"") {}
};

// printf-style formatting over UTF-16: flags "-+ #0", width and precision (numbers or "*"),
// length modifiers (ignored), conversions d i u x X o c s S %. A missing argument formats as 0 or
// the empty text; an argument of the other kind is converted, never read as something it is not.
std::u16string FormatText(std::u16string_view format, std::span<const FormatArg> args);

// The text of the ID used as the format. A missing ID gives "ID_<id>" and the arguments are ignored.
std::u16string FormatLanguageText(uint32_t id, std::initializer_list<FormatArg> args);

// Replaces one entry of the table with a copy of the text (tests and the built-in texts).
void SetLanguageText(uint32_t id, std::u16string_view text);
// Empties the table and releases the buffers (tests only).
void ClearLanguageTexts();
