#include <gtest/gtest.h>

#include <map>

#include "document/ini_data.h"

namespace {

std::map<std::u16string, std::u16string> Entries(const CIniData& d) {
    return {d.entries().begin(), d.entries().end()};
}

struct ParseCase {
    const char* name;
    std::u16string text;
    std::map<std::u16string, std::u16string> expected;
};

TEST(CIniData, ParsesLinesByTheLineSyntax) {
    const ParseCase cases[] = {
        {"empty", u"", {}},
        {"blank and section lines only", u"\r\n[Config]\r\n;comment\r\n\r\n", {}},
        {"two lines, no final CR LF", u"a=1\r\nb=2", {{u"a", u"1"}, {u"b", u"2"}}},
        {"two lines, final CR LF", u"a=1\r\nb=2\r\n", {{u"a", u"1"}, {u"b", u"2"}}},
        {"empty key, empty value, = in value",
         u"=x\r\na=\r\nc=b=c",
         {{u"", u"x"}, {u"a", u""}, {u"c", u"b=c"}}},
        {"white space kept", u" a = 1", {{u" a ", u" 1"}}},
        {"lone LF is ordinary", u"a=1\nb=2\r\n", {{u"a", u"1\nb=2"}}},
        {"lone CR is ordinary", u"a=1\rb=2", {{u"a", u"1\rb=2"}}},
        {"later key wins", u"x=1\r\nx=2", {{u"x", u"2"}}},
        {"comment with =", u";k=v", {{u";k", u"v"}}},
    };
    for (const auto& c : cases) {
        CIniData d;
        d.SetValue(u"stale", u"gone");
        d.LoadText(c.text);
        EXPECT_EQ(Entries(d), c.expected) << c.name;
    }
}

TEST(CIniData, GetValueFallsBackOnlyForAbsentKeys) {
    CIniData d;
    d.LoadText(u"a=\r\n a=1");
    EXPECT_EQ(d.GetValue(u"a", u"fb"), u"");
    EXPECT_EQ(d.GetValue(u"b", u"fb"), u"fb");
    EXPECT_EQ(d.GetValue(u"A", u"fb"), u"fb");  // keys are case-sensitive
}

TEST(HexText, EncodesAndDecodesCodeUnits) {
    EXPECT_EQ(EncodeHexText(u"\u00e9"), u"00E9");
    EXPECT_EQ(EncodeHexText(u"k=1"), u"006B003D0031");
    EXPECT_EQ(EncodeHexText(u""), u"");
    EXPECT_EQ(DecodeHexText(u"00e9"), u"\u00e9");
    EXPECT_EQ(DecodeHexText(u"00G1"), u"\u0001");  // a non-digit counts as 0
    EXPECT_EQ(DecodeHexText(u""), u"");
    // A trailing incomplete group reads as if padded, never beyond the text.
    EXPECT_EQ(DecodeHexText(u"0041004"), std::u16string(u"A") + char16_t(0x0040));
    const std::u16string all = [] {
        std::u16string s;
        for (unsigned c = 1; c < 0x10000; c += 257)
            s.push_back(static_cast<char16_t>(c));
        return s;
    }();
    EXPECT_EQ(DecodeHexText(EncodeHexText(all)), all);
}

TEST(HexText, RenderedLinesParseBack) {
    const std::u16string text = RenderHexLines({u"a=1", u"b="});
    EXPECT_EQ(text, u"0061003D0031\r\n0062003D\r\n");
    CIniData d;
    d.LoadHexText(text);
    EXPECT_EQ(Entries(d), (std::map<std::u16string, std::u16string>{{u"a", u"1"}, {u"b", u""}}));
    EXPECT_EQ(RenderHexLines({}), u"");
}

}  // namespace
