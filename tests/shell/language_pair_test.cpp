// The Japanese language source against the English one: the same text IDs in the same sections,
// and every text with the same format specifiers in the same order, the same line breaks and the
// same file-filter separators. A translation that drops a %s or swaps %u and %s would make the
// formatting read the wrong argument; a missing ID shows as ID_ and its number on screen.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Entry {
    std::string text;     // as written in the source, escapes not yet resolved
    std::string section;  // the "; ---- …" heading above the entry
};

struct Source {
    std::map<unsigned long, Entry> entries;
    std::vector<std::string> sections;  // headings in file order
};

// Reads a language source the way the build step does: "ID<TAB>text" lines, ';' comments.
Source ReadSource(const std::string& path) {
    Source source;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    std::string line;
    std::string section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.rfind("; ----", 0) == 0) {
            section = line.substr(0, line.find_last_not_of("- ") + 1);
            source.sections.push_back(section);
            continue;
        }
        const size_t tab = line.find('\t');
        if (line.empty() || line[0] == ';' || tab == std::string::npos) {
            continue;
        }
        const unsigned long id = std::stoul(line.substr(0, tab), nullptr, 0);
        source.entries[id] = {line.substr(tab + 1), section};
    }
    return source;
}

// The conversions a text hands to the formatting, in order: printf-style ("%s", "%03u", "%-5lu")
// and numbered ("%1"). "%%" is a literal percent sign. A '%' that starts neither is kept as
// "%?" so that a stray percent sign in one language and not the other is noticed.
std::vector<std::string> FormatSpecifiers(const std::string& text) {
    static const std::string kFlags = "-+ #0";
    static const std::string kConversions = "diouxXcsSpeEfgGaAn";
    std::vector<std::string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < text.size() && kFlags.find(text[j]) != std::string::npos) {
            ++j;
        }
        const size_t widthStart = j;
        while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '*')) {
            ++j;
        }
        const bool onlyDigits = j > i + 1 && widthStart == i + 1 &&
                                text.find('*', i + 1) >= j;  // "%12" with nothing after the digits
        if (j < text.size() && text[j] == '.') {
            ++j;
            while (j < text.size() && (std::isdigit(static_cast<unsigned char>(text[j])) || text[j] == '*')) {
                ++j;
            }
        }
        while (j < text.size() && std::string("hlLqjzt").find(text[j]) != std::string::npos) {
            ++j;
        }
        if (j < text.size() && kConversions.find(text[j]) != std::string::npos) {
            found.push_back(text.substr(i, j - i + 1));
            i = j;
        } else if (onlyDigits) {
            size_t end = i + 1;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
            found.push_back(text.substr(i, end - i));
            i = end - 1;
        } else {
            found.push_back("%?");
        }
    }
    return found;
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) {
        ++n;
    }
    return n;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts) {
        out += (out.empty() ? "" : " ") + p;
    }
    return "[" + out + "]";
}

std::string SourcePath(const char* language) {
    return std::string(TALVERO_LANG_SOURCE_DIR) + "/talvero." + language + ".txt";
}

TEST(LanguagePairTest, SpecifierReadingCoversPrintfAndNumberedForms) {
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"ID list entry %u: \"%s\" to \"%s\".", {"%u", "%s", "%s"}},
        {"%03u: %s (group %s)", {"%03u", "%s", "%s"}},
        {"%-5lu%%, %.2f and %1 then %12", {"%-5lu", "%.2f", "%1", "%12"}},
        {"100%% done", {}},
        {"100%!", {"%?"}},  // a stray percent sign is a difference of its own
        {"ends with %", {"%?"}},
        {"50% off", {"% o"}},  // the formatting reads "% o" as a conversion: count it
        {"sudo usermod -aG %s $USER", {"%s"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSpecifiers(c.text), c.expected) << c.text;
    }
}

TEST(LanguagePairTest, JapaneseHasEveryEnglishTextIdAndNoOther) {
    const Source english = ReadSource(SourcePath("0409"));
    const Source japanese = ReadSource(SourcePath("0411"));
    ASSERT_FALSE(english.entries.empty());
    for (const auto& [id, entry] : english.entries) {
        EXPECT_TRUE(japanese.entries.count(id)) << "Japanese lacks " << id << ": " << entry.text;
    }
    for (const auto& [id, entry] : japanese.entries) {
        EXPECT_TRUE(english.entries.count(id)) << "English lacks " << id << ": " << entry.text;
    }
}

TEST(LanguagePairTest, EveryTextSitsInTheSameSection) {
    const Source english = ReadSource(SourcePath("0409"));
    const Source japanese = ReadSource(SourcePath("0411"));
    EXPECT_EQ(japanese.sections, english.sections);
    for (const auto& [id, entry] : english.entries) {
        if (auto it = japanese.entries.find(id); it != japanese.entries.end()) {
            EXPECT_EQ(it->second.section, entry.section) << "text ID " << id;
        }
    }
}

TEST(LanguagePairTest, TranslationsKeepSpecifiersLineBreaksAndFilterFields) {
    const Source english = ReadSource(SourcePath("0409"));
    const Source japanese = ReadSource(SourcePath("0411"));
    for (const auto& [id, entry] : english.entries) {
        auto it = japanese.entries.find(id);
        if (it == japanese.entries.end()) {
            continue;  // reported by the ID test
        }
        const std::string& ja = it->second.text;
        EXPECT_EQ(Join(FormatSpecifiers(ja)), Join(FormatSpecifiers(entry.text)))
            << "text ID " << id << "\n  en: " << entry.text << "\n  ja: " << ja;
        // A command's prompt and tool-bar tip are split at the first line break.
        EXPECT_EQ(Count(ja, "\\n") > 0, Count(entry.text, "\\n") > 0) << "text ID " << id << ": " << ja;
        // File dialog filters: description|pattern pairs.
        EXPECT_EQ(Count(ja, "|"), Count(entry.text, "|")) << "text ID " << id << ": " << ja;
    }
}

}  // namespace
