#include "platform/code_page.h"

#include <errno.h>
#include <iconv.h>

#include <bit>
#include <cstdlib>
#include <mutex>

static_assert(std::endian::native == std::endian::little, "UTF-16 text is handed to iconv as UTF-16LE");

namespace {

std::mutex g_nameLock;

std::string& CodePageNameStorage() {
    static std::string name = [] {
        const char* env = std::getenv("TALVERO_CODEPAGE");
        std::string wanted = (env && *env) ? env : "CP932";
        iconv_t probe = iconv_open("UTF-16LE", wanted.c_str());
        if (probe == reinterpret_cast<iconv_t>(-1)) {
            return std::string("CP932");
        }
        iconv_close(probe);
        return wanted;
    }();
    return name;
}

std::string CurrentName() {
    std::lock_guard<std::mutex> lock(g_nameLock);
    return CodePageNameStorage();
}

// Whether U+0001..U+007F map to the same bytes in the code page (true for CP932, not for plain
// Shift_JIS, where 0x5C is the yen sign). Pure ASCII text then needs no converter at all.
bool AsciiIsIdentity(const std::string& name) {
    iconv_t cd = iconv_open(name.c_str(), "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    char16_t in[127];
    for (unsigned i = 0; i < 127; ++i) {
        in[i] = static_cast<char16_t>(i + 1);
    }
    char out[512];
    char* inPtr = reinterpret_cast<char*>(in);
    size_t inLeft = sizeof(in);
    char* outPtr = out;
    size_t outLeft = sizeof(out);
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || outPtr - out != 127) {
        return false;
    }
    for (unsigned i = 0; i < 127; ++i) {
        if (static_cast<unsigned char>(out[i]) != i + 1) {
            return false;
        }
    }
    return true;
}

struct AsciiCache {
    std::string name;
    bool identity = false;
};

bool CurrentAsciiIsIdentity(const std::string& name) {
    static std::mutex lock;
    static AsciiCache cache;
    std::lock_guard<std::mutex> guard(lock);
    if (cache.name != name) {
        cache.name = name;
        cache.identity = AsciiIsIdentity(name);
    }
    return cache.identity;
}

bool IsPlainAscii(std::u16string_view text) {
    for (char16_t c : text) {
        if (c == 0 || c > 0x7F) {
            return false;
        }
    }
    return true;
}

// One iconv descriptor per call: conversions run on the UI thread and on radio workers at once,
// and a descriptor must not be shared between threads.
class Converter {
  public:
    Converter(const std::string& to, const std::string& from) : m_cd(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (ok()) {
            iconv_close(m_cd);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

  private:
    iconv_t m_cd;
};

// Converts `in` with `cd`, replacing each unconvertible input unit (of `unit` bytes, or a whole
// surrogate pair for UTF-16 input) with `replacement`.
std::string Run(iconv_t cd, const char* in, size_t inLen, size_t unit, const std::string& replacement) {
    std::string out;
    out.resize(inLen * 2 + 16);
    char* inPtr = const_cast<char*>(in);
    size_t inLeft = inLen;
    size_t produced = 0;
    while (inLeft > 0) {
        char* outPtr = out.data() + produced;
        size_t outLeft = out.size() - produced;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        produced = out.size() - outLeft;
        if (rc != static_cast<size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // EILSEQ or EINVAL: skip one unit (a surrogate pair counts as one character).
        size_t skip = unit;
        if (unit == 2 && inLeft >= 4) {
            auto lo = static_cast<unsigned char>(inPtr[0]);
            auto hi = static_cast<unsigned char>(inPtr[1]);
            unsigned cu = lo | (hi << 8);
            if (cu >= 0xD800 && cu <= 0xDBFF) {
                unsigned next =
                    static_cast<unsigned char>(inPtr[2]) | (static_cast<unsigned char>(inPtr[3]) << 8);
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    skip = 4;
                }
            }
        }
        if (skip > inLeft) {
            skip = inLeft;
        }
        inPtr += skip;
        inLeft -= skip;
        if (out.size() - produced < replacement.size()) {
            out.resize(out.size() + replacement.size() + 16);
        }
        out.replace(produced, replacement.size(), replacement);
        produced += replacement.size();
        iconv(cd, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    }
    // Flush any shift state.
    for (;;) {
        char* outPtr = out.data() + produced;
        size_t outLeft = out.size() - produced;
        size_t rc = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        produced = out.size() - outLeft;
        if (rc == static_cast<size_t>(-1) && errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        break;
    }
    out.resize(produced);
    return out;
}

}  // namespace

std::string AnsiCodePageName() {
    return CurrentName();
}

std::string ToAnsi(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const std::string name = CurrentName();
    if (IsPlainAscii(text) && CurrentAsciiIsIdentity(name)) {
        return std::string(text.begin(), text.end());
    }
    Converter conv(name, "UTF-16LE");
    if (!conv.ok()) {
        return std::string(text.size(), '?');
    }
    return Run(conv.get(), reinterpret_cast<const char*>(text.data()), text.size() * 2, 2, "?");
}

std::u16string FromAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    Converter conv("UTF-16LE", CurrentName());
    if (!conv.ok()) {
        return std::u16string(bytes.size(), u'?');
    }
    std::string raw = Run(conv.get(), bytes.data(), bytes.size(), 1, std::string("?\0", 2));
    std::u16string out(raw.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                       (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
    }
    return out;
}

bool SetAnsiCodePageForTesting(const std::string& name) {
    iconv_t probe = iconv_open("UTF-16LE", name.c_str());
    if (probe == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    iconv_close(probe);
    std::lock_guard<std::mutex> lock(g_nameLock);
    CodePageNameStorage() = name;
    return true;
}
