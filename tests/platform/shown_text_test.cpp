// Text from radios and files as messages show it: every control character escaped, long values cut.
#include "platform/shown_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ShownText, EscapesWhatATerminalWouldObey) {
    const struct {
        const char* what;
        std::string text;
        std::string shown;
    } cases[] = {
        {"plain text stays", "Alpha 12", "Alpha 12"},
        {"Japanese stays", "\xE7\x84\xA1\xE7\xB7\x9A", "\xE7\x84\xA1\xE7\xB7\x9A"},
        {"a backslash stays, so escaping twice changes nothing", "a\\e", "a\\e"},
        {"clear screen", "89\x1B[2J", "89\\e[2J"},
        {"colour", "\x1B[31mred", "\\e[31mred"},
        {"tab, line feed, carriage return", "a\tb\nc\rd", "a\\tb\\nc\\rd"},
        {"NUL, bell, backspace, DEL", std::string("a\0b\x07\x08\x7F", 6), "a\\x00b\\x07\\x08\\x7F"},
        {"C1 control sequence introducer",
         "x\xC2\x9B"
         "2J",
         "x\\u009B2J"},
        {"right-to-left override",
         "abc\xE2\x80\xAE"
         "fdp.exe",
         "abc\\u202Efdp.exe"},
        {"isolate", "\xE2\x81\xA6x", "\\u2066x"},
        {"a byte that is not UTF-8", "Al\xFFice", "Al\\xFFice"},
        {"a cut sequence", "a\xE3\x81", "a\\xE3\\x81"},
        {"an overlong slash", "\xC0\xAF", "\\xC0\\xAF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeControls(c.text), c.shown) << c.what;
        EXPECT_EQ(EscapeControls(EscapeControls(c.text)), c.shown) << c.what << " (twice)";
    }
}

TEST(ShownText, CutsLongValuesAtCharacters) {
    const std::string a64(64, 'a');
    const std::string kana = "\xE3\x81\x82";  // one character, three bytes
    std::string kana65;
    for (int i = 0; i < 65; ++i) {
        kana65 += kana;
    }
    const struct {
        const char* what;
        std::string text;
        std::string cut;
    } cases[] = {
        {"empty", "", ""},
        {"64 characters are whole", a64, a64},
        {"65 are cut to 64 and an ellipsis", a64 + "b", a64 + "\u2026"},
        {"multi-byte characters count once", kana65, kana65.substr(0, 64 * 3) + "\u2026"},
        {"60 MB", std::string(60u << 20, 'x'), std::string(64, 'x') + "\u2026"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutText(c.text), c.cut) << c.what;
    }
    // Cut first, then escaped: a value of escapes is bounded too.
    EXPECT_EQ(ShownText(std::string(100, '\x1B')), [] {
        std::string s;
        for (int i = 0; i < 64; ++i) {
            s += "\\e";
        }
        return s + "\u2026";
    }());
    EXPECT_EQ(ShownText(std::u16string(1u << 24, u'y')), std::string(64, 'y') + "\u2026");
    EXPECT_EQ(ShownText(u"89\x1B[2J"), "89\\e[2J");
}

}  // namespace
