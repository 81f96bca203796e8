// talvero-cli cert import, delete and list, run as a process on certificate files made by openssl.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <memory>

#include "cert_fixtures.h"
#include "certs/pfx_import.h"
#include "document/config_file.h"
#include "document/talvero_doc.h"

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

class CliCert : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { fx = std::make_unique<CertFixtures>(); }
    static void TearDownTestSuite() { fx.reset(); }
    static std::unique_ptr<CertFixtures> fx;

    // `input`, when given, is the first line of standard input.
    static CliRun Cli(const std::string& args, const std::string& input = "") {
        std::string cmd = std::string(TALVERO_BIN_DIR) + "/talvero-cli " + args + " 2>" + fx->dir + "/err";
        if (!input.empty()) {
            cmd = "printf '%s\\n' '" + input + "' | " + cmd;
        }
        FILE* p = popen(cmd.c_str(), "r");
        std::string out;
        std::array<char, 4096> buf;
        size_t n;
        while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) {
            out.append(buf.data(), n);
        }
        const int st = pclose(p);
        return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, out, CertFixtures::Read(fx->dir + "/err")};
    }
};
std::unique_ptr<CertFixtures> CliCert::fx;

TEST_F(CliCert, ImportListDelete) {
    const std::string a = fx->dir + "/a.ini", b = fx->dir + "/b.ini";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    const std::string fresh = CertFixtures::Read(a);

    CliRun r = Cli("cert import " + a + " 2 " + fx->twoPem + " --format pem -o " + b);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(CertFixtures::Read(a), fresh) << "-o leaves the input alone";
    ASSERT_EQ(
        Cli("cert import " + b + " 1 " + fx->p12Legacy + " --password-stdin", CertFixtures::kPassword).status,
        0);
    ASSERT_EQ(Cli("set " + b + " eap_cert_name_01=office").status, 0);

    r = Cli("cert list " + b);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("slot 1: p12 \"office\": subject O=Norvane,CN=Talvero Test Client, expires 20"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("slot 2: pem \"\": subject O=Norvane,CN=Talvero Test Client, expires 20"),
              std::string::npos);
    EXPECT_NE(r.out.find("(2 certificates)"), std::string::npos);
    EXPECT_NE(r.out.find("slot 3: p12 \"\": empty"), std::string::npos);
    EXPECT_EQ(r.out.find(CertFixtures::kPassword), std::string::npos) << "never the password";

    // Deleting an empty slot does not rewrite the file; deleting a filled one empties it.
    const std::string before = CertFixtures::Read(b);
    EXPECT_EQ(Cli("cert delete " + b + " 3").status, 0);
    EXPECT_EQ(CertFixtures::Read(b), before);
    EXPECT_EQ(Cli("cert delete " + b + " 1").status, 0);
    EXPECT_NE(Cli("cert list " + b).out.find("slot 1: p12 \"office\": empty"), std::string::npos);
}

TEST_F(CliCert, FailuresWriteNothing) {
    const std::string a = fx->dir + "/f.ini";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    const std::string fresh = CertFixtures::Read(a);
    std::string nul = CertFixtures::Read(fx->pem);
    nul.insert(nul.find('\n') + 1, 1, '\0');
    const std::string withNul = fx->Make("nul.pem", nul);
    const struct {
        const char* name;
        std::string args, input;
        int status;
        const char* err;
    } cases[] = {
        {"wrong password", "cert import " + a + " 1 " + fx->p12Password + " --password-stdin", "guess", 1,
         "The password is not correct"},
        {"password needed", "cert import " + a + " 1 " + fx->p12Password, "", 1, "--password-stdin"},
        {"password too long", "cert import " + a + " 1 " + fx->p12Password + " --password-stdin",
         std::string(64, 'x'), 1, "1 to 63 printable ASCII"},
        {"PEM into a PKCS #12 slot", "cert import " + a + " 1 " + fx->pem, "", 1, "could not be imported"},
        {"folder", "cert import " + a + " 1 " + fx->dir + " --format pem", "", 1, "could not be imported"},
        {"slot 5", "cert import " + a + " 5 " + fx->pem, "", 2, "SLOT must be 1 to 4"},
        {"bad format", "cert import " + a + " 1 " + fx->pem + " --format der", "", 2, "pem or p12"},
        {"missing argument", "cert delete " + a, "", 2, "expected FILE.ini and SLOT"},
        {"not a configuration", "cert list " + fx->pem, "", 1, fx->pem.c_str()},
        {"PEM holding a NUL byte", "cert import " + a + " 1 " + withNul + " --format pem", "", 1,
         "could not be imported"},
        {"rounds past the bound", "cert import " + a + " 1 " + fx->p12HugeMacRounds, "", 1,
         "more than 1,000,000 password rounds"},
        {"no MAC, wrong password", "cert import " + a + " 1 " + fx->p12NoMac + " --password-stdin", "guess",
         1, "The password is not correct"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = Cli(c.args, c.input);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(CertFixtures::Read(a), fresh);
    }
}

TEST_F(CliCert, FormatSetAnyWayEmptiesTheSlot) {
    const std::string a = fx->dir + "/set.ini";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    ASSERT_EQ(Cli("cert import " + a + " 2 " + fx->p12Password + " --password-stdin", CertFixtures::kPassword)
                  .status,
              0);
    ASSERT_NE(Cli("cert list " + a).out.find("slot 2: p12 \"\": subject"), std::string::npos);
    const CliRun r = Cli("set " + a + " eap_cert_format_02=pem");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Cli("cert list " + a).out.find("slot 2: pem \"\": empty"), std::string::npos);
}

TEST_F(CliCert, Pkcs12WithoutMacAndCostlyFiles) {
    const std::string a = fx->dir + "/nomac.ini";
    ASSERT_EQ(Cli("new -o " + a).status, 0);
    // Without a MAC, the right password opens the contents: imported and listed.
    const CliRun r =
        Cli("cert import " + a + " 3 " + fx->p12NoMac + " --password-stdin", CertFixtures::kPassword);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Cli("cert list " + a).out.find("slot 3: p12 \"\": subject O=Norvane"), std::string::npos);

    // A configuration already holding a costly file: listed without opening it.
    CTalveroDoc doc;
    ASSERT_TRUE(doc.Set(u"eap_cert_cert", 0, Base64Encode(CertFixtures::Read(fx->p12HugeKeyRounds))));
    const std::string held = fx->dir + "/held.ini";
    ASSERT_TRUE(SaveConfigurationFile(doc, held).ok());
    const CliRun list = Cli("cert list " + held);
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(
        list.out.find("slot 1: p12 \"\": not opened: the file asks for more than 1000000 password rounds"),
        std::string::npos)
        << list.out;
}

}  // namespace
