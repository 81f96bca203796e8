#pragma once
// Key=value text as the configuration file and the radio exchange it: lines separated by CR LF,
// split at the first "=", nothing trimmed, later keys replacing earlier ones. The hexadecimal
// form (four digits per UTF-16 code unit) is what travels inside clone frames.
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CIniData {
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
    };

  public:
    // Looked up by string views without building a key string each time.
    using Map = std::unordered_map<std::u16string, std::u16string, Hash, std::equal_to<>>;

    CIniData() = default;
    virtual ~CIniData() = default;

    // Empties the map and parses plain key=value text.
    void LoadText(std::u16string_view text);
    // Empties the map and parses hexadecimal line text (each line decoded with DecodeHexText).
    void LoadHexText(std::u16string_view hexText);

    // The stored value (even when empty), or the fallback when the key is absent.
    std::u16string GetValue(std::u16string_view key, std::u16string_view fallback) const;
    // Like GetValue, without a copy; nullptr when absent.
    const std::u16string* Find(std::u16string_view key) const;
    void SetValue(std::u16string_view key, std::u16string_view value);

    bool Contains(std::u16string_view key) const { return Find(key) != nullptr; }
    size_t size() const { return m_map.size(); }
    bool empty() const { return m_map.empty(); }
    void clear() { m_map.clear(); }
    const Map& entries() const { return m_map; }

  private:
    template <typename LineFn>
    void Parse(std::u16string_view text, LineFn decode);
    void StoreLine(std::u16string_view line);

    Map m_map;
};

// Four uppercase hexadecimal digits per code unit.
std::u16string EncodeHexText(std::u16string_view text);
// Groups of four digits to code units; a digit that is not hexadecimal counts as 0 and a trailing
// incomplete group is read as if padded with "0" (nothing beyond the text is read).
std::u16string DecodeHexText(std::u16string_view hex);
// EncodeHexText of each line followed by CR LF.
std::u16string RenderHexLines(const std::vector<std::u16string>& lines);
