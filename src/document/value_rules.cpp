#include "document/value_rules.h"

#include <algorithm>
#include <climits>
#include <string>

#include "document/text_width.h"
#include "platform/code_page.h"

int32_t LeadingNumber(std::u16string_view t) {
    size_t i = 0;
    while (i < t.size() && (t[i] == u' ' || (t[i] >= u'\t' && t[i] <= u'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
        negative = t[i] == u'-';
        ++i;
    }
    int64_t v = 0;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
        v = v * 10 + (t[i] - u'0');
        if (v > static_cast<int64_t>(INT32_MAX) + 1) {
            v = static_cast<int64_t>(INT32_MAX) + 1;
        }
    }
    if (negative) {
        v = -v;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

std::u16string FormatUnsigned(uint32_t value, int minDigits) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < minDigits) {
        s.insert(0, minDigits - s.size(), '0');
    }
    return std::u16string(s.begin(), s.end());
}

bool HoldsLineBreakOrNul(std::u16string_view text) {
    return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

bool IsHexText(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) {
        return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    });
}

bool NormaliseIpv4(std::u16string_view value, std::u16string& stored) {
    if (value.empty()) {
        stored.clear();
        return true;
    }
    if (value.size() > 15) {
        return false;
    }
    std::u16string out;
    unsigned parts = 0;
    size_t pos = 0;
    while (true) {
        size_t dot = value.find(u'.', pos);
        std::u16string_view part =
            value.substr(pos, dot == std::u16string_view::npos ? std::u16string_view::npos : dot - pos);
        if (part.empty() || ++parts > 4) {
            return false;
        }
        uint32_t n = 0;
        for (char16_t c : part) {
            if (c < u'0' || c > u'9') {
                return false;
            }
            n = n * 10 + (c - u'0');
            if (n > 255) {
                return false;
            }
        }
        if (!out.empty()) {
            out += u'.';
        }
        out += FormatUnsigned(n);
        if (dot == std::u16string_view::npos) {
            break;
        }
        pos = dot + 1;
    }
    if (parts != 4) {
        return false;
    }
    stored = std::move(out);
    return true;
}

namespace {

bool CheckNumber(const SettingRule& r, std::u16string_view value, std::u16string& stored) {
    if (value.empty()) {
        if (r.emptyOk) {
            stored.clear();
            return true;
        }
        if (r.notEmpty) {
            return false;
        }
    }
    if (r.exactZeroOk && value == u"0") {
        stored.assign(value);
        return true;
    }
    // Compared as an unsigned 32-bit value, so negative numbers fall outside every range.
    const auto n = static_cast<uint32_t>(LeadingNumber(value));
    if (!((n >= r.lo && n <= r.hi) || (r.zeroOk && n == 0))) {
        return false;
    }
    switch (r.store) {
        case Store::U:
            stored = FormatUnsigned(n);
            break;
        case Store::U05:
            stored = FormatUnsigned(n, 5);
            break;
        case Store::AsGiven:
            stored.assign(value);
            break;
    }
    return true;
}

bool CheckDialNumber(std::u16string_view value, std::u16string& stored) {
    // Counted in the radio's 8-bit code page: that is what the radio stores.
    std::string bytes = ToAnsi(value);
    if (bytes.size() > 31) {
        return false;
    }
    for (char b : bytes) {
        if (!((b >= '0' && b <= '9') || b == '#' || b == '*')) {
            return false;
        }
    }
    stored.assign(value);
    return true;
}

}  // namespace

bool CheckRule(const SettingRule& r, std::u16string_view value, std::u16string& stored) {
    switch (r.kind) {
        case RuleKind::Any:
            stored.assign(value);
            return true;
        case RuleKind::OneOf:
            if (std::find(r.choices.begin(), r.choices.end(), value) == r.choices.end()) {
                return false;
            }
            stored.assign(value);
            return true;
        case RuleKind::Number:
            return CheckNumber(r, value, stored);
        case RuleKind::Width:
            if (TextWidth(value) > r.limit) {
                return false;
            }
            stored.assign(value);
            return true;
        case RuleKind::Length:
            if (value.size() > r.limit) {
                return false;
            }
            stored.assign(value);
            return true;
        case RuleKind::Ipv4:
            return NormaliseIpv4(value, stored);
        case RuleKind::DialNumber:
            return CheckDialNumber(value, stored);
    }
    return false;
}
