// Replays mutated seeds through the fuzz targets in every test run (the long runs use libFuzzer).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "../../fuzz/fuzz_targets.h"
#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/talvero_doc.h"

namespace {

std::vector<uint8_t> Utf16Bytes(std::u16string_view text) {
    std::vector<uint8_t> b;
    for (char16_t c : text) {
        b.push_back(static_cast<uint8_t>(c & 0xFF));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    return b;
}

// Byte flips, truncations, duplications and insertions of interesting bytes.
std::vector<uint8_t> Mutate(std::vector<uint8_t> b, std::mt19937& rng) {
    const int steps = 1 + rng() % 8;
    for (int s = 0; s < steps && !b.empty(); ++s) {
        const size_t at = rng() % b.size();
        switch (rng() % 5) {
            case 0:
                b[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
                break;
            case 1:
                b.resize(at);
                break;
            case 2:
                b.insert(b.begin() + at, b.begin() + at, b.begin() + std::min(b.size(), at + 1 + rng() % 64));
                break;
            case 3: {
                static const uint8_t interesting[] = {0, 0xFF, 0xFE, '=', '\r', '\n', '0', '9', 'F', 0x80};
                b.insert(b.begin() + at, interesting[rng() % sizeof(interesting)]);
                break;
            }
            default:
                b[at] = static_cast<uint8_t>(rng());
                break;
        }
    }
    return b;
}

TEST(FuzzSmoke, MutatedFilesAndRadioTextNeverCrash) {
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"id_type", 0, u"tel"));
    ASSERT_TRUE(doc.Set(u"number", 0, u"123"));
    ASSERT_TRUE(doc.Set(u"wlan_ssid", 2, u"net"));
    ASSERT_TRUE(doc.Set(u"wlan_sec", 2, u"wpa2psk"));
    ASSERT_TRUE(doc.Set(u"access_pass", u"pw"));
    const std::string file = RenderConfigurationFile(doc);
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, false);
    const std::vector<uint8_t> seeds[] = {
        std::vector<uint8_t>(file.begin(), file.end()),
        Utf16Bytes(RenderHexLines(lines)),
    };
    std::mt19937 rng(20261210);
    for (int i = 0; i < 300; ++i) {
        const auto a = Mutate(seeds[0], rng);
        FuzzConfigurationFile(a.data(), a.size());
        const auto b = Mutate(seeds[1], rng);
        FuzzRadioText(b.data(), b.size());
    }
    // Plain random bytes as well.
    for (int i = 0; i < 200; ++i) {
        std::vector<uint8_t> r(rng() % 512);
        for (auto& x : r)
            x = static_cast<uint8_t>(rng());
        FuzzConfigurationFile(r.data(), r.size());
        FuzzRadioText(r.data(), r.size());
    }
    SUCCEED();
}

// The seed corpora of the other targets, mutated the same way: CSV files, language files and the
// bytes of a clone read.
TEST(FuzzSmoke, MutatedSeedsOfEveryOtherTargetNeverCrash) {
    // The source tree's root is where the test data folder lies, two levels up.
    const std::filesystem::path root =
        std::filesystem::path(TALVERO_TEST_DATA_DIR).parent_path().parent_path();
    const std::string corpus = (root / "fuzz" / "corpus").string() + "/";
    const struct {
        const char* folder;
        int (*target)(const uint8_t*, size_t);
    } targets[] = {
        {"csv_file", FuzzCsvFile}, {"language_file", FuzzLanguageFile}, {"clone_read", FuzzCloneRead}};
    std::mt19937 rng(20261211);
    for (const auto& t : targets) {
        size_t seeds = 0;
        for (const auto& e : std::filesystem::directory_iterator(corpus + t.folder)) {
            std::ifstream in(e.path(), std::ios::binary);
            const std::vector<uint8_t> seed{std::istreambuf_iterator<char>(in), {}};
            t.target(seed.data(), seed.size());
            for (int i = 0; i < 40; ++i) {
                const auto m = Mutate(seed, rng);
                t.target(m.data(), m.size());
            }
            ++seeds;
        }
        EXPECT_GT(seeds, 0u) << t.folder;
    }
}

}  // namespace
