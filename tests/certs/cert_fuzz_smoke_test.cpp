// Replays mutated certificate files through the certificate fuzz target in every test run (the
// long runs use libFuzzer).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "../../fuzz/fuzz_targets.h"
#include "cert_fixtures.h"

namespace {

// Flips, cuts, repeats and inserts bytes that matter to PEM and DER.
std::vector<uint8_t> Mutate(std::vector<uint8_t> b, std::mt19937& rng) {
    const int steps = 1 + rng() % 6;
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
                static const uint8_t interesting[] = {0, 0xFF, 0x30, 0x80, 0x82, '-', '\r', '\n', '\t', '='};
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

TEST(CertFuzzSmoke, MutatedCertificateFilesNeverCrash) {
    const CertFixtures fx;
    std::vector<std::vector<uint8_t>> seeds;
    for (const std::string& path : {fx.pem, fx.twoPem, fx.p12NoPassword, fx.p12Password, fx.p12Legacy}) {
        const std::string bytes = CertFixtures::Read(path);
        seeds.emplace_back(bytes.begin(), bytes.end());
    }
    for (const auto& s : seeds) {
        FuzzCertificateImport(s.data(), s.size());
    }
    std::mt19937 rng(20261211);
    for (int i = 0; i < 400; ++i) {
        const auto m = Mutate(seeds[i % seeds.size()], rng);
        FuzzCertificateImport(m.data(), m.size());
    }
    for (int i = 0; i < 100; ++i) {
        std::vector<uint8_t> r(rng() % 512);
        for (auto& x : r) {
            x = static_cast<uint8_t>(rng());
        }
        FuzzCertificateImport(r.data(), r.size());
    }
    SUCCEED();
}

}  // namespace
