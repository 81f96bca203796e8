#pragma once
// Certificate files made at test time with the openssl command, in a fresh temporary folder that
// is removed afterwards: no key material lives in the repository. One set per test program.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

class CertFixtures {
  public:
    static constexpr const char* kPassword = "s3cret pass";

    CertFixtures() {
        char tmpl[] = "/tmp/talvero-certs-XXXXXX";
        if (!mkdtemp(tmpl)) {
            throw std::runtime_error("mkdtemp failed");
        }
        dir = tmpl;
        pem = dir + "/cert.pem";
        twoPem = dir + "/two.pem";
        p12NoPassword = dir + "/nopass.p12";
        p12Password = dir + "/pass.p12";
        p12Legacy = dir + "/legacy.p12";
        const std::string key = dir + "/key.pem";
        const std::string key2 = dir + "/key2.pem";
        Run("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout " + key +
            " -out " + pem + " -days 400 -subj '/CN=Talvero Test Client/O=Norvane'");
        Run("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -keyout " + key2 +
            " -out " + dir + "/second.pem -days 30 -subj '/CN=Second'");
        Write(twoPem, Read(pem) + Read(dir + "/second.pem"));
        const std::string p12 = "openssl pkcs12 -export -in " + pem + " -inkey " + key;
        Run(p12 + " -out " + p12NoPassword + " -passout pass:");
        Run(p12 + " -out " + p12Password + " -passout 'pass:" + kPassword + "'");
        Run(p12 + " -legacy -out " + p12Legacy + " -passout 'pass:" + kPassword + "'");
        // Without a MAC: the contents encrypted with the password, and nothing encrypted at all.
        p12NoMac = dir + "/nomac.p12";
        p12NoMacPlain = dir + "/nomac-plain.p12";
        Run(p12 + " -nomac -out " + p12NoMac + " -passout 'pass:" + kPassword + "'");
        Run(p12 + " -nomac -keypbe NONE -certpbe NONE -out " + p12NoMacPlain + " -passout pass:");
        // Files asking for more rounds than any tool writes: made with 32768 rounds (the smallest
        // count written in three bytes, cheap to make), then one count raised in place to 8388607.
        // In the bytes the certificates' encryption comes first, then the key's, then the MAC.
        const std::string base = dir + "/rounds.p12";
        Run(p12 + " -iter 32768 -out " + base + " -passout 'pass:" + kPassword + "'");
        const std::string bytes = Read(base);
        const std::string count("\x02\x03\x00\x80\x00", 5);
        std::vector<size_t> at;
        for (size_t i = bytes.find(count); i != std::string::npos; i = bytes.find(count, i + 1)) {
            at.push_back(i);
        }
        if (at.size() != 3) {
            throw std::runtime_error("unexpected layout of " + base);
        }
        auto raised = [&](size_t which, const char* value) {
            std::string copy = bytes;
            copy.replace(at[which] + 2, 3, value, 3);
            return copy;
        };
        p12HugeCertRounds = Make("huge-cert.p12", raised(0, "\x7f\xff\xff"));
        p12HugeKeyRounds = Make("huge-key.p12", raised(1, "\x7f\xff\xff"));
        p12HugeMacRounds = Make("huge-mac.p12", raised(2, "\x7f\xff\xff"));
        // Exactly at the bound (1,000,000): worked through, so only the MAC no longer matches.
        p12BoundMacRounds = Make("bound-mac.p12", raised(2, "\x0f\x42\x40"));
    }
    ~CertFixtures() { std::filesystem::remove_all(dir); }
    CertFixtures(const CertFixtures&) = delete;
    CertFixtures& operator=(const CertFixtures&) = delete;

    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    // A file of its own in the fixture folder.
    std::string Make(const std::string& name, const std::string& bytes) const {
        Write(dir + "/" + name, bytes);
        return dir + "/" + name;
    }
    static void Run(const std::string& cmd) {
        if (std::system((cmd + " >/dev/null 2>&1").c_str()) != 0) {
            throw std::runtime_error("fixture command failed: " + cmd);
        }
    }

    // The command's standard output.
    static std::string Capture(const std::string& cmd) {
        std::string out;
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[4096];
            size_t n;
            while ((n = fread(buf, 1, sizeof buf, p)) > 0) {
                out.append(buf, n);
            }
            pclose(p);
        }
        return out;
    }

    std::string dir;
    std::string pem, twoPem;                            // one certificate, two certificates
    std::string p12NoPassword, p12Password, p12Legacy;  // legacy: RC2-40 and 3DES, with kPassword
    std::string p12NoMac, p12NoMacPlain;                // no MAC: encrypted with kPassword; nothing encrypted
    std::string p12HugeCertRounds, p12HugeKeyRounds, p12HugeMacRounds, p12BoundMacRounds;
};
