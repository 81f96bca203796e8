#include "text/language_texts.h"

#include <algorithm>
#include <cstring>

std::unordered_map<uint32_t, const char16_t*> g_languageTexts;
std::vector<std::unique_ptr<char16_t[]>> g_languageBuffers;

std::u16string GetLanguageText(uint32_t id) {
    auto it = g_languageTexts.find(id);
    if (it != g_languageTexts.end()) {
        return it->second;
    }
    std::string n = "ID_" + std::to_string(id);
    return std::u16string(n.begin(), n.end());
}

bool HasLanguageText(uint32_t id) {
    return g_languageTexts.count(id) != 0;
}

void SetLanguageText(uint32_t id, std::u16string_view text) {
    auto buf = std::make_unique<char16_t[]>(text.size() + 1);
    std::copy(text.begin(), text.end(), buf.get());
    buf[text.size()] = 0;
    g_languageTexts[id] = buf.get();
    g_languageBuffers.push_back(std::move(buf));
}

void ClearLanguageTexts() {
    g_languageTexts.clear();
    g_languageBuffers.clear();
}

namespace {

struct Conversion {
    bool left = false, plus = false, space = false, alt = false, zero = false;
    int width = 0;
    int precision = -1;
};

void Pad(std::u16string& out, std::u16string body, const Conversion& sp, bool numeric) {
    if (static_cast<int>(body.size()) >= sp.width) {
        out += body;
        return;
    }
    size_t pad = sp.width - body.size();
    if (sp.left) {
        out += body;
        out.append(pad, u' ');
    } else if (sp.zero && numeric && sp.precision < 0) {
        // Zeros go after any sign or 0x prefix.
        size_t signLen = 0;
        if (!body.empty() && (body[0] == u'-' || body[0] == u'+' || body[0] == u' ')) {
            signLen = 1;
        }
        if (body.size() >= signLen + 2 && body[signLen] == u'0' &&
            (body[signLen + 1] == u'x' || body[signLen + 1] == u'X')) {
            signLen += 2;
        }
        out += body.substr(0, signLen);
        out.append(pad, u'0');
        out += body.substr(signLen);
    } else {
        out.append(pad, u' ');
        out += body;
    }
}

std::u16string Digits(uint64_t v, unsigned base, bool upper) {
    const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string d;
    do {
        d.push_back(static_cast<char16_t>(digits[v % base]));
        v /= base;
    } while (v);
    std::reverse(d.begin(), d.end());
    return d;
}

}  // namespace

std::u16string FormatText(std::u16string_view fmt, std::span<const FormatArg> args) {
    std::u16string out;
    out.reserve(fmt.size() + 16 * args.size());
    size_t next = 0;
    auto nextArg = [&]() -> const FormatArg* { return next < args.size() ? &args[next++] : nullptr; };
    auto argInt = [&](const FormatArg* a) -> int64_t {
        if (!a) {
            return 0;
        }
        return a->kind == FormatArg::Kind::Signed ? a->s : static_cast<int64_t>(a->u);
    };
    size_t i = 0;
    while (i < fmt.size()) {
        char16_t c = fmt[i];
        if (c != u'%') {
            out.push_back(c);
            ++i;
            continue;
        }
        size_t start = i++;
        if (i < fmt.size() && fmt[i] == u'%') {
            out.push_back(u'%');
            ++i;
            continue;
        }
        Conversion sp;
        for (; i < fmt.size(); ++i) {
            char16_t f = fmt[i];
            if (f == u'-')
                sp.left = true;
            else if (f == u'+')
                sp.plus = true;
            else if (f == u' ')
                sp.space = true;
            else if (f == u'#')
                sp.alt = true;
            else if (f == u'0')
                sp.zero = true;
            else
                break;
        }
        if (i < fmt.size() && fmt[i] == u'*') {
            int64_t w = argInt(nextArg());
            if (w < 0) {
                sp.left = true;
                w = -w;
            }
            sp.width = static_cast<int>(std::min<int64_t>(w, 4096));
            ++i;
        } else {
            while (i < fmt.size() && fmt[i] >= u'0' && fmt[i] <= u'9') {
                sp.width = std::min(sp.width * 10 + (fmt[i] - u'0'), 4096);
                ++i;
            }
        }
        if (i < fmt.size() && fmt[i] == u'.') {
            ++i;
            sp.precision = 0;
            if (i < fmt.size() && fmt[i] == u'*') {
                int64_t p = argInt(nextArg());
                sp.precision = p < 0 ? -1 : static_cast<int>(std::min<int64_t>(p, 4096));
                ++i;
            } else {
                while (i < fmt.size() && fmt[i] >= u'0' && fmt[i] <= u'9') {
                    sp.precision = std::min(sp.precision * 10 + (fmt[i] - u'0'), 4096);
                    ++i;
                }
            }
        }
        while (i < fmt.size() && (fmt[i] == u'h' || fmt[i] == u'l' || fmt[i] == u'L' || fmt[i] == u'I' ||
                                  fmt[i] == u'z' || fmt[i] == u'j' || fmt[i] == u't' || fmt[i] == u'q' ||
                                  fmt[i] == u'w' || (fmt[i] >= u'0' && fmt[i] <= u'9'))) {
            ++i;
        }
        if (i >= fmt.size()) {
            out.append(fmt.substr(start));  // a lone "%" at the end stays as written
            break;
        }
        char16_t conv = fmt[i++];
        switch (conv) {
            case u'd':
            case u'i': {
                const FormatArg* a = nextArg();
                int64_t v = argInt(a);
                uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
                std::u16string body = Digits(mag, 10, false);
                if (sp.precision >= 0 && static_cast<int>(body.size()) < sp.precision) {
                    body.insert(0, sp.precision - body.size(), u'0');
                }
                if (sp.precision == 0 && v == 0) {
                    body.clear();
                }
                if (v < 0)
                    body.insert(0, 1, u'-');
                else if (sp.plus)
                    body.insert(0, 1, u'+');
                else if (sp.space)
                    body.insert(0, 1, u' ');
                Pad(out, body, sp, true);
                break;
            }
            case u'u':
            case u'x':
            case u'X':
            case u'o': {
                const FormatArg* a = nextArg();
                uint64_t v = 0;
                if (a) {
                    // A signed argument is shown as the 32-bit unsigned value printf would show.
                    v = a->kind == FormatArg::Kind::Signed ? static_cast<uint32_t>(a->s) : a->u;
                }
                unsigned base = conv == u'o' ? 8 : (conv == u'u' ? 10 : 16);
                std::u16string body = Digits(v, base, conv == u'X');
                if (sp.precision >= 0 && static_cast<int>(body.size()) < sp.precision) {
                    body.insert(0, sp.precision - body.size(), u'0');
                }
                if (sp.precision == 0 && v == 0) {
                    body.clear();
                }
                if (sp.alt && v != 0 && base == 16)
                    body.insert(0, conv == u'X' ? u"0X" : u"0x");
                if (sp.alt && base == 8 && (body.empty() || body[0] != u'0'))
                    body.insert(0, 1, u'0');
                Pad(out, body, sp, true);
                break;
            }
            case u'c':
            case u'C': {
                const FormatArg* a = nextArg();
                char16_t ch = 0;
                if (a) {
                    ch = a->kind == FormatArg::Kind::Text ? (a->text.empty() ? 0 : a->text[0])
                                                          : static_cast<char16_t>(argInt(a));
                }
                Pad(out, ch ? std::u16string(1, ch) : std::u16string(), sp, false);
                break;
            }
            case u's':
            case u'S': {
                const FormatArg* a = nextArg();
                std::u16string body;
                if (a && a->kind == FormatArg::Kind::Text) {
                    body.assign(a->text);
                } else if (a) {
                    // A number where text was expected: show the number rather than read memory.
                    std::string n =
                        a->kind == FormatArg::Kind::Signed ? std::to_string(a->s) : std::to_string(a->u);
                    body.assign(n.begin(), n.end());
                }
                if (sp.precision >= 0 && static_cast<int>(body.size()) > sp.precision) {
                    body.resize(sp.precision);
                }
                Pad(out, body, sp, false);
                break;
            }
            default:
                // Unknown conversion: keep the text as written.
                out.append(fmt.substr(start, i - start));
                break;
        }
    }
    return out;
}

std::u16string FormatLanguageText(uint32_t id, std::initializer_list<FormatArg> args) {
    auto it = g_languageTexts.find(id);
    if (it == g_languageTexts.end()) {
        return GetLanguageText(id);
    }
    return FormatText(it->second, std::span<const FormatArg>(args.begin(), args.size()));
}
