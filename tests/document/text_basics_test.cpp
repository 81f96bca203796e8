// Code page, widths, stored secrets and printf-style texts.
#include <gtest/gtest.h>

#include <array>

#include "document/stored_secret.h"
#include "document/text_width.h"
#include "platform/code_page.h"
#include "text/language_texts.h"

namespace {

TEST(CodePage, ConvertsThroughCp932) {
    EXPECT_EQ(AnsiCodePageName(), "CP932");
    EXPECT_EQ(ToAnsi(u"A\u30ab\uff71"), std::string("A\x83\x4a\xb1"));
    EXPECT_EQ(ToAnsi(u"\u2460"), std::string("\x87\x40"));             // vendor extension
    EXPECT_EQ(ToAnsi(u"a\u00e9b\U0001F600c"), "a?b?c");                // unmappable, surrogate pair
    EXPECT_EQ(ToAnsi(std::u16string(u"x") + char16_t(0xD800)), "x?");  // lone surrogate
    EXPECT_EQ(FromAnsi("A\x83\x4a\xb1"), u"A\u30ab\uff71");
    EXPECT_EQ(FromAnsi(std::string("a\x81", 2)), u"a?");  // truncated double-byte
}

TEST(TextWidth, CountsNonAsciiTwiceAndFitsFromTheEnd) {
    EXPECT_EQ(TextWidth(u""), 0u);
    EXPECT_EQ(TextWidth(u"abc"), 3u);
    EXPECT_EQ(TextWidth(u"a\u3042\u00e9"), 5u);
    std::u16string s = u"ab\u3042\u3042";  // width 6
    EXPECT_FALSE(FitTextWidth(s, 6));
    EXPECT_TRUE(FitTextWidth(s, 5));
    EXPECT_EQ(s, u"ab\u3042");
    EXPECT_EQ(MaskText(u"secret12"), u"********");
    EXPECT_EQ(MaskText(u""), u"");
}

TEST(StoredSecret, RoundTripsAndDiffersEachTime) {
    const std::u16string texts[] = {u"", u"p", u"0123456789abcdef", u"\u30d1\u30b9\uffff"};
    for (const auto& t : texts) {
        const std::u16string a = EncodeStoredSecret(t, 16);
        EXPECT_EQ(a.size(), 2u + 4u * 17u);
        EXPECT_EQ(DecodeStoredSecret(a), t);
    }
    // 70 digits for the empty text at capacity 16.
    EXPECT_EQ(EncodeStoredSecret(u"", 16).size(), 70u);
    // Random start and filler: a handful of encodings are not all equal.
    std::array<std::u16string, 4> enc;
    for (auto& e : enc)
        e = EncodeStoredSecret(u"same", 16);
    EXPECT_FALSE(enc[0] == enc[1] && enc[1] == enc[2] && enc[2] == enc[3]);
    // Longer than the capacity: cut.
    EXPECT_EQ(DecodeStoredSecret(EncodeStoredSecret(u"0123456789", 4)), u"0123");
}

TEST(StoredSecret, MalformedTextDecodesEmpty) {
    for (std::u16string_view bad : {u"", u"A", u"AB", u"ABC", u"AB123", u"AB1234567"}) {
        EXPECT_EQ(DecodeStoredSecret(bad), u"") << std::string(bad.begin(), bad.end());
    }
}

TEST(FormatText, FormatsPrintfStyleOverUtf16) {
    struct Case {
        std::u16string format;
        std::vector<FormatArg> args;
        std::u16string expected;
    };
    const std::u16string name = u"\u540d\u524d";
    const Case cases[] = {
        {u"No.%u: \"%s\" -> \"%s\"", {7u, name, u"x"}, u"No.7: \"\u540d\u524d\" -> \"x\""},
        {u"%d|%5d|%-5d|%05d|%+d", {-3, 42, 42, -42, 5}, u"-3|   42|42   |-0042|+5"},
        {u"%02u %04x %X %#x", {3u, 0xABu, 255u, 16u}, u"03 00ab FF 0x10"},
        {u"%.2s|%5s|%-3s|", {u"abc", u"ab", u"a"}, u"ab|   ab|a  |"},
        {u"100%% %c", {u"z"}, u"100% z"},
        {u"%s and %u", {}, u" and 0"},  // missing arguments
        {u"%s", {12}, u"12"},           // a number where text was expected
        {u"%u", {-1}, u"4294967295"},
        {u"tail %", {}, u"tail %"},
        {u"%q", {1}, u"%q"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatText(c.format, c.args), c.expected);
    }
}

TEST(LanguageTexts, MissingIdsRenderAsTheirNumber) {
    ClearLanguageTexts();
    EXPECT_EQ(GetLanguageText(2391), u"ID_2391");
    EXPECT_EQ(FormatLanguageText(2155, {1u, u"a", u"b"}), u"ID_2155");
    SetLanguageText(2155, u"Entry %u: %s -> %s");
    EXPECT_EQ(FormatLanguageText(2155, {1u, u"a", u"b"}), u"Entry 1: a -> b");
    SetLanguageText(5, u"");
    EXPECT_EQ(GetLanguageText(5), u"");
    ClearLanguageTexts();
}

}  // namespace
