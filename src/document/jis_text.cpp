#include "document/jis_text.h"

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/code_page.h"

namespace {

#include "document/jis0208_positions.inc"

// 47 leads (0x81–0x9F, 0xE0–0xEF) × 188 trails (0x40–0xFC without 0x7F).
constexpr size_t kJis0208PositionCount = 47 * 188;
static_assert(sizeof(kJis0208Positions) == (kJis0208PositionCount + 7) / 8);

bool IsJis0208Position(size_t position) {
    return position < kJis0208PositionCount && (kJis0208Positions[position / 8] >> (position % 8) & 1) != 0;
}

bool IsSingleByte(uint8_t b) {
    return (b >= 0x01 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
}

bool IsJis0208Lead(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}

// Any lead byte of the code page's double-byte characters, JIS X 0208 or not.
bool IsAnyLead(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Full-width Shift_JIS codes of the JIS X 0201 katakana block, in the block's order from 0xA1:
// 。「」、・ヲァィゥェォャュョッー, the kana ア to ン, and the sound marks ゛゜.
constexpr std::array<uint16_t, 63> kKanaBlock = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348, 0x8383, 0x8385,
    0x8387, 0x8362, 0x815B, 0x8341, 0x8343, 0x8345, 0x8347, 0x8349, 0x834A, 0x834C, 0x834E, 0x8350, 0x8352,
    0x8354, 0x8356, 0x8358, 0x835A, 0x835C, 0x835E, 0x8360, 0x8363, 0x8365, 0x8367, 0x8369, 0x836A, 0x836B,
    0x836C, 0x836D, 0x836E, 0x8371, 0x8374, 0x8377, 0x837A, 0x837D, 0x837E, 0x8380, 0x8381, 0x8382, 0x8384,
    0x8386, 0x8388, 0x8389, 0x838A, 0x838B, 0x838C, 0x838D, 0x838F, 0x8393, 0x814A, 0x814B,
};
constexpr uint8_t kVoicedMark = 0xDE;
constexpr uint8_t kSemiVoicedMark = 0xDF;
constexpr uint16_t kKatakanaVu = 0x8394;
constexpr uint8_t kHalfWidthU = 0xB3;

// Half-width bytes of the full-width codes 0x8140–0x8394; zero bytes mean "no half-width form".
constexpr uint16_t kTableFirst = 0x8140;
constexpr uint16_t kTableLast = kKatakanaVu;

struct HalfForm {
    uint8_t first = 0;
    uint8_t mark = 0;  // 0 or the voiced / semi-voiced mark that follows
};

using HalfFormTable = std::array<HalfForm, kTableLast - kTableFirst + 1>;

HalfFormTable BuildHalfForms() {
    HalfFormTable t{};
    auto put = [&](uint16_t code, uint8_t first, uint8_t mark) { t[code - kTableFirst] = {first, mark}; };
    for (size_t i = 0; i < kKanaBlock.size(); ++i) {
        const uint8_t half = static_cast<uint8_t>(0xA1 + i);
        const uint16_t code = kKanaBlock[i];
        put(code, half, 0);
        // In the full-width block the voiced kana follows its base kana directly (ガ after カ,
        // ヅ after ツ), and for ハ to ホ the semi-voiced one comes next (バ, then パ).
        if (half >= 0xB6 && half <= 0xC4) {  // カ to ト
            put(code + 1, half, kVoicedMark);
        } else if (half >= 0xCA && half <= 0xCE) {  // ハ to ホ
            put(code + 1, half, kVoicedMark);
            put(code + 2, half, kSemiVoicedMark);
        }
    }
    put(kKatakanaVu, kHalfWidthU, kVoicedMark);
    put(0x8140, ' ', 0);  // ideographic space
    for (uint16_t c = 0x824F; c <= 0x8258; ++c) {
        put(c, static_cast<uint8_t>('0' + (c - 0x824F)), 0);
    }
    for (uint16_t c = 0x8260; c <= 0x8279; ++c) {
        put(c, static_cast<uint8_t>('A' + (c - 0x8260)), 0);
    }
    for (uint16_t c = 0x8281; c <= 0x829A; ++c) {
        put(c, static_cast<uint8_t>('a' + (c - 0x8281)), 0);
    }
    return t;
}

const HalfFormTable& HalfForms() {
    static const HalfFormTable table = BuildHalfForms();
    return table;
}

// Full-width hiragana take the code of the matching katakana; the katakana rows skip trail 0x7F.
uint16_t HiraganaToKatakana(uint16_t code) {
    if (code >= 0x829F && code <= 0x82F1) {
        return static_cast<uint16_t>(code + (code > 0x82DD ? 162 : 161));
    }
    return code;
}

// The characters of `text` that the code page holds, in order. A character it cannot hold would
// travel as "?", so it must never pass for one the radio can show. Sets `lost` when any was left out.
std::string ConvertibleBytes(std::u16string_view text, bool& lost) {
    std::string bytes = ToAnsi(text);
    lost = false;
    if (FromAnsi(bytes) == text) {
        return bytes;
    }
    lost = true;
    bytes.clear();
    for (size_t i = 0; i < text.size();) {
        const bool pair = i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF &&
                          text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const std::u16string_view one = text.substr(i, pair ? 2 : 1);
        const std::string b = ToAnsi(one);
        if (FromAnsi(b) == one) {
            bytes += b;
        }
        i += one.size();
    }
    return bytes;
}

}  // namespace

bool IsJisText(std::u16string_view text) {
    bool lost = false;
    const std::string bytes = ConvertibleBytes(text, lost);
    if (lost) {
        return false;
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t lead = static_cast<uint8_t>(bytes[i]);
        if (IsSingleByte(lead)) {
            continue;
        }
        if (i + 1 >= bytes.size()) {
            return true;  // a lead byte at the very end
        }
        const uint8_t trail = static_cast<uint8_t>(bytes[++i]);
        // Trail 0x7F is no Shift_JIS trail byte; left in, it would alias the position of 0x80.
        if (!IsJis0208Lead(lead) || trail < 0x40 || trail > 0xFC || trail == 0x7F) {
            return false;
        }
        const size_t row = lead >= 0xE0 ? lead - 0x40 - 0x81 : lead - 0x81;
        const size_t position = row * 188 + (trail - 0x40) - (trail >= 0x80 ? 1 : 0);
        if (!IsJis0208Position(position)) {
            return false;
        }
    }
    return true;
}

int ToHalfWidth(std::u16string_view text, std::u16string& converted) {
    bool dropped = false;
    const std::string bytes = ConvertibleBytes(text, dropped);
    const HalfFormTable& forms = HalfForms();
    std::string out;
    out.reserve(bytes.size() * 2);
    bool changed = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const uint8_t lead = static_cast<uint8_t>(bytes[i]);
        if (!IsAnyLead(lead)) {
            out.push_back(static_cast<char>(lead));
            continue;
        }
        if (i + 1 >= bytes.size()) {
            dropped = true;  // half a character: nothing the radio could show
            break;
        }
        const uint8_t trail = static_cast<uint8_t>(bytes[++i]);
        const uint16_t code = HiraganaToKatakana(static_cast<uint16_t>(lead << 8 | trail));
        if (code >= kTableFirst && code <= kTableLast && forms[code - kTableFirst].first != 0) {
            const HalfForm& f = forms[code - kTableFirst];
            out.push_back(static_cast<char>(f.first));
            if (f.mark != 0) {
                out.push_back(static_cast<char>(f.mark));
            }
            changed = true;
        } else {
            dropped = true;
        }
    }
    converted = FromAnsi(out);
    return dropped ? kHalfWidthDropped : changed ? kHalfWidthConverted : kHalfWidthUnchanged;
}
