#include "document/stored_secret.h"

#include <cstdint>
#include <random>

namespace {

constexpr uint8_t kRotations[32] = {7, 2, 11, 4,  9, 14, 3, 6, 12, 1, 8,  13, 5, 10, 2, 15,
                                    6, 9, 4,  11, 3, 12, 7, 1, 14, 5, 10, 8,  2, 13, 6, 9};

inline uint16_t RotateLeft(uint16_t v, unsigned n) {
    n &= 15;
    return static_cast<uint16_t>((v << n) | (v >> ((16 - n) & 15)));
}
inline uint16_t RotateRight(uint16_t v, unsigned n) {
    n &= 15;
    return static_cast<uint16_t>((v >> n) | (v << ((16 - n) & 15)));
}

std::mt19937& Rng() {
    thread_local std::mt19937 rng{std::random_device{}()};
    return rng;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

constexpr char16_t kHex[] = u"0123456789ABCDEF";

}  // namespace

std::u16string EncodeStoredSecret(std::u16string_view text, size_t capacity) {
    auto& rng = Rng();
    const unsigned start = rng() & 0xFF;
    std::u16string out;
    out.reserve(2 + 4 * (capacity + 1));
    out.push_back(kHex[start >> 4]);
    out.push_back(kHex[start & 0xF]);
    const size_t used = text.size() < capacity ? text.size() : capacity;
    for (size_t i = 0; i <= capacity; ++i) {
        uint16_t unit;
        if (i < used) {
            unit = text[i];
        } else if (i == used) {
            unit = 0;
        } else {
            unit = static_cast<uint16_t>(rng());
        }
        uint16_t v = RotateLeft(unit, kRotations[(start + i) % 32]);
        out.push_back(kHex[(v >> 12) & 0xF]);
        out.push_back(kHex[(v >> 8) & 0xF]);
        out.push_back(kHex[(v >> 4) & 0xF]);
        out.push_back(kHex[v & 0xF]);
    }
    return out;
}

std::u16string DecodeStoredSecret(std::u16string_view text) {
    if (text.size() < 2) {
        return {};
    }
    const size_t n = text.size() - 2;
    if (n == 0 || n % 4 != 0) {
        return {};
    }
    // Digits that are not hexadecimal read as 0, as the hexadecimal line form does.
    auto digit = [](char16_t c) {
        int d = HexDigit(c);
        return d < 0 ? 0 : d;
    };
    const unsigned start = static_cast<unsigned>(digit(text[0]) * 16 + digit(text[1]));
    std::u16string out;
    for (size_t i = 0; i < n / 4; ++i) {
        const char16_t* g = text.data() + 2 + 4 * i;
        uint16_t v = static_cast<uint16_t>((digit(g[0]) << 12) | (digit(g[1]) << 8) | (digit(g[2]) << 4) |
                                           digit(g[3]));
        uint16_t u = RotateRight(v, kRotations[(start + i) % 32]);
        if (u == 0) {
            break;
        }
        out.push_back(static_cast<char16_t>(u));
    }
    return out;
}
