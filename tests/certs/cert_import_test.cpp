// PEM and PKCS #12 import over real files made by the openssl command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <openssl/pem.h>
#include <openssl/pkcs12.h>

#include <cstdio>
#include <memory>
#include <random>

#include "cert_fixtures.h"
#include "certs/cert_file.h"
#include "certs/pem_import.h"
#include "certs/pfx_import.h"
#include "platform/error_codes.h"
#include "platform/unicode.h"

namespace {

class CertImport : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { fx = std::make_unique<CertFixtures>(); }
    static void TearDownTestSuite() { fx.reset(); }
    static std::unique_ptr<CertFixtures> fx;
};
std::unique_ptr<CertFixtures> CertImport::fx;

// A PKCS #12 file whose MAC was made with the absent password (the openssl command always uses the
// empty one), from the fixture's key and certificate.
std::string MakeAbsentPasswordPkcs12(const CertFixtures& f) {
    FILE* keyFile = std::fopen((f.dir + "/key.pem").c_str(), "r");
    FILE* certFile = std::fopen(f.pem.c_str(), "r");
    EVP_PKEY* key = keyFile ? PEM_read_PrivateKey(keyFile, nullptr, nullptr, nullptr) : nullptr;
    X509* cert = certFile ? PEM_read_X509(certFile, nullptr, nullptr, nullptr) : nullptr;
    PKCS12* p12 =
        key && cert ? PKCS12_create(nullptr, nullptr, key, cert, nullptr, -1, -1, 0, 0, 0) : nullptr;
    std::string der;
    unsigned char* out = nullptr;
    const int n = p12 ? i2d_PKCS12(p12, &out) : 0;
    if (n > 0) {
        der.assign(reinterpret_cast<char*>(out), static_cast<size_t>(n));
    }
    OPENSSL_free(out);
    PKCS12_free(p12);
    X509_free(cert);
    EVP_PKEY_free(key);
    if (keyFile) {
        std::fclose(keyFile);
    }
    if (certFile) {
        std::fclose(certFile);
    }
    return f.Make("absent.p12", der);
}

std::string Lf2CrLf(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

std::string NoLineBreaks(std::string s) {
    std::erase(s, '\n');
    std::erase(s, '\r');
    return s;
}

// Decodes with the openssl command, so the check does not share code with the encoder.
std::string DecodeWithOpenssl(const CertFixtures& f, const std::u16string& base64) {
    const std::string in = f.Make("b64.txt", Utf16ToUtf8(base64));
    CertFixtures::Run("openssl base64 -d -A -in " + in + " -out " + f.dir + "/decoded.bin");
    return CertFixtures::Read(f.dir + "/decoded.bin");
}

TEST_F(CertImport, PemFilesByTheirEnds) {
    const std::string lf = CertFixtures::Read(fx->pem);
    ASSERT_EQ(lf.find('\r'), std::string::npos);
    const std::string oneLine = NoLineBreaks(lf);
    struct Case {
        const char* name;
        std::string bytes;
        uint32_t code;
        std::string text;  // expected on success
    } cases[] = {
        {"unix line ends", lf, 0, oneLine},
        {"windows line ends", Lf2CrLf(lf), 0, oneLine},
        {"trailing blank lines", lf + "\n\r\n\n", 0, oneLine},
        {"tabs anywhere", "\t" + lf + "\t", 0, oneLine},
        {"two certificates", CertFixtures::Read(fx->twoPem), 0, NoLineBreaks(CertFixtures::Read(fx->twoPem))},
        {"trailing space", lf + " \n", kErrInvalidParameter, ""},
        {"leading space", " " + lf, kErrInvalidParameter, ""},
        {"no end line", lf.substr(0, lf.find("-----END")), kErrInvalidParameter, ""},
        {"private key", CertFixtures::Read(fx->dir + "/key.pem"), kErrInvalidParameter, ""},
        {"PKCS #12 file", CertFixtures::Read(fx->p12NoPassword), kErrInvalidParameter, ""},
        {"begin line alone", std::string(kPemBeginLine), kErrInvalidParameter, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string text = u"old";
        EXPECT_EQ(ImportPemCertificate(fx->Make("case.pem", c.bytes), text), c.code);
        EXPECT_EQ(Utf16ToUtf8(text), c.text);
    }
    // Two certificates stay two: the stored line holds the end of one and the start of the next.
    std::u16string two;
    ASSERT_EQ(ImportPemCertificate(fx->twoPem, two), 0u);
    EXPECT_NE(two.find(u"-----END CERTIFICATE----------BEGIN CERTIFICATE-----"), std::u16string::npos);
}

TEST_F(CertImport, SizeLimitIsEightThousandBytesForBothFormats) {
    const std::string lf = CertFixtures::Read(fx->pem);
    // Line breaks are removed before the end check, so padding with them keeps the file valid.
    const std::string pem8000 = lf + std::string(8000 - lf.size(), '\n');
    std::u16string text, password;
    EXPECT_EQ(ImportPemCertificate(fx->Make("8000.pem", pem8000), text), 0u);
    EXPECT_EQ(Utf16ToUtf8(text), NoLineBreaks(lf));
    EXPECT_EQ(ImportPemCertificate(fx->Make("8001.pem", pem8000 + "\n"), text), kErrInvalidParameter);
    EXPECT_TRUE(text.empty());

    // A PKCS #12 file with bytes after its structure still parses; past 8000 it is refused unread.
    const std::string p12 = CertFixtures::Read(fx->p12NoPassword);
    const std::string p8000 = p12 + std::string(8000 - p12.size(), '\0');
    EXPECT_EQ(ImportPfxCertificate(fx->Make("8000.p12", p8000), nullptr, text, password), 0u);
    EXPECT_EQ(DecodeWithOpenssl(*fx, text), p8000);
    EXPECT_EQ(ImportPfxCertificate(fx->Make("8001.p12", p8000 + '\0'), nullptr, text, password),
              kErrInvalidParameter);
}

TEST_F(CertImport, BadFilesGiveTheirCodeForBothFormats) {
    std::mt19937 rng(12);
    std::string random(3000, '\0');
    for (auto& c : random) {
        c = static_cast<char>(rng());
    }
    const std::string huge = fx->Make("huge.bin", "");
    ASSERT_EQ(::truncate(huge.c_str(), 1LL << 30), 0);  // sparse: costs no disk
    const std::string fifo = fx->dir + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string path;
        uint32_t code;
    } cases[] = {
        {"missing", fx->dir + "/nothing.pem", kErrFileNotFound},
        {"folder", fx->dir, kErrAccessDenied},
        {"empty", fx->Make("empty.bin", ""), kErrInvalidParameter},
        {"1 GiB", huge, kErrInvalidParameter},
        {"random bytes", fx->Make("random.bin", random), kErrInvalidParameter},
        {"named pipe", fifo, kErrInvalidParameter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::u16string text = u"x", password = u"y";
        int prompts = 0;
        EXPECT_EQ(ImportPemCertificate(c.path, text), c.code);
        EXPECT_TRUE(text.empty());
        EXPECT_EQ(ImportPfxCertificate(
                      c.path, [&](std::u16string&) { return ++prompts, true; }, text, password),
                  c.code);
        EXPECT_TRUE(text.empty() && password.empty());
        EXPECT_EQ(prompts, 0);
    }
    // A file without read permission. Permissions do not stop the superuser, so as root the
    // import runs in a child process that has given up its rights.
    const std::string locked = fx->Make("locked.pem", CertFixtures::Read(fx->pem));
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    auto importAsUser = [&]() -> uint32_t {
        std::u16string text, password;
        const uint32_t pem = ImportPemCertificate(locked, text);
        const uint32_t pfx = ImportPfxCertificate(locked, nullptr, text, password);
        return pem == pfx && text.empty() ? pem : 0xFFFF;
    };
    if (::geteuid() != 0) {
        EXPECT_EQ(importAsUser(), kErrAccessDenied);
    } else {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(dropped && importAsUser() == kErrAccessDenied ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

TEST_F(CertImport, Pkcs12PasswordsAndPrompts) {
    enum Answer { NoPrompt, Right, Wrong, Cancel };
    struct Case {
        const char* name;
        std::string path;
        Answer answer;
        uint32_t code;
        const char* password;  // stored on success
    } cases[] = {
        {"no password: no prompt", fx->p12NoPassword, NoPrompt, 0, ""},
        {"absent password: no prompt", MakeAbsentPasswordPkcs12(*fx), NoPrompt, 0, ""},
        {"password", fx->p12Password, Right, 0, CertFixtures::kPassword},
        {"wrong password", fx->p12Password, Wrong, kErrInvalidPassword, ""},
        {"cancelled", fx->p12Password, Cancel, kErrCancelled, ""},
        {"legacy RC2-40", fx->p12Legacy, Right, 0, CertFixtures::kPassword},
        {"legacy, wrong password", fx->p12Legacy, Wrong, kErrInvalidPassword, ""},
        {"a PEM certificate", fx->pem, NoPrompt, kErrInvalidParameter, ""},
        // Without a MAC the password is right when the contents open with it.
        {"no MAC, password", fx->p12NoMac, Right, 0, CertFixtures::kPassword},
        {"no MAC, wrong password", fx->p12NoMac, Wrong, kErrInvalidPassword, ""},
        {"no MAC, cancelled", fx->p12NoMac, Cancel, kErrCancelled, ""},
        {"no MAC, nothing encrypted: no prompt", fx->p12NoMacPlain, NoPrompt, 0, ""},
        // Round counts beyond the bound are refused before any is run, and before any prompt.
        {"MAC rounds past the bound", fx->p12HugeMacRounds, NoPrompt, kErrPkcs12TooCostly, ""},
        {"key rounds past the bound", fx->p12HugeKeyRounds, NoPrompt, kErrPkcs12TooCostly, ""},
        {"certificate rounds past the bound", fx->p12HugeCertRounds, NoPrompt, kErrPkcs12TooCostly, ""},
        {"MAC rounds at the bound are worked", fx->p12BoundMacRounds, Right, kErrInvalidPassword, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int prompts = 0;
        auto prompt = [&](std::u16string& p) {
            ++prompts;
            p = c.answer == Right ? Utf8ToUtf16(CertFixtures::kPassword) : u"guess";
            return c.answer != Cancel;
        };
        std::u16string text = u"old", password = u"old";
        EXPECT_EQ(ImportPfxCertificate(c.path, prompt, text, password), c.code);
        EXPECT_EQ(prompts, c.answer == NoPrompt ? 0 : 1) << "one prompt at most, never a second attempt";
        EXPECT_EQ(Utf16ToUtf8(password), c.password);
        if (c.code == 0) {
            EXPECT_EQ(text.find_first_of(u"\r\n\t"), std::u16string::npos);
            EXPECT_EQ(DecodeWithOpenssl(*fx, text), CertFixtures::Read(c.path));
        } else {
            EXPECT_TRUE(text.empty());
        }
    }
}

TEST(Base64, StandardAlphabetAndPadding) {
    const struct {
        std::string in;
        std::u16string out;
    } cases[] = {
        {"", u""},
        {"f", u"Zg=="},
        {"fo", u"Zm8="},
        {"foo", u"Zm9v"},
        {std::string("\xfb\xff\xbf", 3), u"+/+/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Base64Encode(c.in), c.out);
    }
}

}  // namespace
