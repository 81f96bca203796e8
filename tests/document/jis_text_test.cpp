// What the radio's display can show: the JIS X 0208 check and the half-width conversion.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "document/jis_text.h"
#include "platform/code_page.h"
#include "platform/unicode.h"

namespace {

std::string Show(std::u16string_view text) {
    return Utf16ToUtf8(std::u16string(text));
}

TEST(IsJisText, AcceptsJisX0208AndJisX0201Only) {
    struct Case {
        std::u16string text;
        bool jis;
    };
    const Case cases[] = {
        {u"", true},
        {u"Hello, world 0123", true},
        {u"ｶﾞｯｺｳ｡", true},    // half-width katakana
        {u"亜唖娃阿", true},  // JIS level 1 (0x889F …)
        {u"弌丐丕个", true},  // JIS level 2 (0x989F …)
        {u"がっこう　ガッコウ、。", true},
        {u"①", false},  // NEC row 13 (87 40), a CP932 addition
        {u"abc①", false},
        {u"Ⅰ", false},   // roman numeral one: NEC row 13 as well
        {u"纊", false},  // IBM addition (FA 5C)
        {u"髙", false},  // IBM addition (FB FC)
        // Characters the code page cannot hold would travel as "?".
        {u"é", false},
        {u"Müller", false},
        {u"ｱ\U0001F600", false},  // a surrogate pair
        {u"?", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsJisText(c.text), c.jis) << Show(c.text);
    }
}

// Every double-byte position of CP932 against glibc's SHIFT_JIS converter, which knows JIS X 0208
// alone: a position passes exactly when that converter has a character there.
TEST(IsJisText, AgreesWithTheShiftJisConverterAtEveryPosition) {
    std::set<std::string> jis;
    ASSERT_TRUE(SetAnsiCodePageForTesting("SHIFT_JIS"));
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string text = FromAnsi(pair);
            if (text.size() == 1 && text != u"?" && ToAnsi(text) == pair) {
                jis.insert(pair);
            }
        }
    }
    ASSERT_TRUE(SetAnsiCodePageForTesting("CP932"));
    EXPECT_EQ(jis.size(), 6879u);

    size_t accepted = 0, refusedCp932 = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string text = FromAnsi(pair);
            if (text.size() != 1 || ToAnsi(text) != pair) {
                continue;  // no CP932 character of its own at this position
            }
            const bool expected = jis.count(pair) != 0;
            ASSERT_EQ(IsJisText(text), expected) << std::hex << lead << " " << trail;
            accepted += expected ? 1 : 0;
            refusedCp932 += expected ? 0 : 1;
        }
    }
    EXPECT_EQ(accepted, 6879u);
    EXPECT_GT(refusedCp932, 300u);  // the NEC and IBM rows
}

TEST(ToHalfWidth, ConvertsKanaLatinAndDigitsAndDropsTheRest) {
    struct Case {
        std::u16string text;
        std::u16string half;
        int result;
    };
    const Case cases[] = {
        {u"abc", u"abc", kHalfWidthUnchanged},
        {u"", u"", kHalfWidthUnchanged},
        {u"ｶﾞｯｺｳ", u"ｶﾞｯｺｳ", kHalfWidthUnchanged},
        {u"ガッコウ", u"ｶﾞｯｺｳ", kHalfWidthConverted},
        {u"がっこう", u"ｶﾞｯｺｳ", kHalfWidthConverted},
        {u"ＡＢＣ１", u"ABC1", kHalfWidthConverted},
        {u"ＡＺａｚ０９", u"AZaz09", kHalfWidthConverted},
        {u"漢", u"", kHalfWidthDropped},
        {u"ｱ漢Ａ", u"ｱA", kHalfWidthDropped},
        {u"　", u" ", kHalfWidthConverted},  // ideographic space
        {u"、", u"､", kHalfWidthConverted},  // ideographic comma (81 41) → A4
        {u"ヴ", u"ｳﾞ", kHalfWidthConverted},
        {u"パピプペポ", u"ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", kHalfWidthConverted},
        {u"ぱ", u"ﾊﾟ", kHalfWidthConverted},
        {u"ヵヶヮヰヱ", u"", kHalfWidthDropped},  // katakana without a half-width form
        {u"ゎゐゑ", u"", kHalfWidthDropped},      // their hiragana
        {u"＋，", u"", kHalfWidthDropped},        // full-width symbols outside the kana block
        {u"①", u"", kHalfWidthDropped},           // CP932 addition
        {u"é", u"", kHalfWidthDropped},           // not in the code page at all: never a "?"
        {u"aéｱ", u"aｱ", kHalfWidthDropped},
    };
    for (const auto& c : cases) {
        std::u16string half;
        EXPECT_EQ(ToHalfWidth(c.text, half), c.result) << Show(c.text);
        EXPECT_EQ(half, c.half) << Show(c.text);
    }
}

// The 63 characters of the JIS X 0201 katakana block (U+FF61 …) from their full-width forms.
TEST(ToHalfWidth, MapsTheWholeKatakanaBlockInOrder) {
    const std::u16string full =
        u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
        u"マミムメモヤユヨラリルレロワン゛゜";
    ASSERT_EQ(full.size(), 63u);
    std::u16string expected;
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) {
        expected.push_back(c);
    }
    std::u16string half;
    EXPECT_EQ(ToHalfWidth(full, half), kHalfWidthConverted);
    EXPECT_EQ(half, expected);
}

TEST(ToHalfWidth, VoicedKanaAndHiraganaBecomeBaseKanaWithTheirMark) {
    const std::u16string voiced = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボ";
    const std::u16string baseOfVoiced = u"ｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
    std::u16string expected;
    for (char16_t c : baseOfVoiced) {
        expected += c;
        expected += u'ﾞ';
    }
    std::u16string half;
    EXPECT_EQ(ToHalfWidth(voiced, half), kHalfWidthConverted);
    EXPECT_EQ(half, expected);

    // Hiragana take their katakana's form, across the gap after み/ミ (trail 0x7F).
    const std::u16string hiragana =
        u"ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとどなにぬねの"
        u"はばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろわをん";
    const std::u16string katakana =
        u"ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネノ"
        u"ハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロワヲン";
    std::u16string fromHiragana, fromKatakana;
    EXPECT_EQ(ToHalfWidth(hiragana, fromHiragana), kHalfWidthConverted);
    EXPECT_EQ(ToHalfWidth(katakana, fromKatakana), kHalfWidthConverted);
    EXPECT_EQ(fromHiragana, fromKatakana);
    EXPECT_EQ(fromHiragana.substr(0, 6), u"ｧｱｨｲｩｳ");
    EXPECT_EQ(fromHiragana.substr(fromHiragana.size() - 3), u"ﾜｦﾝ");
}

}  // namespace
