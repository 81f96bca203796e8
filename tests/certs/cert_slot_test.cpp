// The certificate slots: import, delete and format choice on a document, the messages they lead
// to, a saved configuration with certificates, and the summary that lists a stored certificate.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "cert_fixtures.h"
#include "certs/cert_file.h"
#include "certs/cert_slot.h"
#include "certs/cert_summary.h"
#include "document/config_file.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"
#include "platform/error_codes.h"
#include "platform/unicode.h"

namespace {

class CertSlot : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { fx = std::make_unique<CertFixtures>(); }
    static void TearDownTestSuite() { fx.reset(); }
    static std::unique_ptr<CertFixtures> fx;

    const std::u16string& Cert(unsigned s) const { return doc.Get(u"eap_cert_cert", s); }
    const std::u16string& Password(unsigned s) const { return doc.Get(u"eap_cert_passwd", s); }
    static CertPasswordPrompt Answer(const char* password) {
        return [password](std::u16string& p) {
            p = Utf8ToUtf16(password);
            return true;
        };
    }
    CTalveroDoc doc;
};
std::unique_ptr<CertFixtures> CertSlot::fx;

TEST_F(CertSlot, ImportFillsTheSlotOfItsFormat) {
    ASSERT_EQ(doc.Get(u"eap_cert_format", 1), u"p12");
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 1, fx->p12Password, Answer(CertFixtures::kPassword)), 0u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Password(1), Utf8ToUtf16(CertFixtures::kPassword));
    EXPECT_FALSE(Cert(1).empty());
    EXPECT_TRUE(Cert(0).empty() && Cert(2).empty()) << "other slots untouched";

    // Importing the same file again changes nothing.
    doc.SetModifiedFlag(false);
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 1, fx->p12Password, Answer(CertFixtures::kPassword)), 0u);
    EXPECT_FALSE(doc.IsModified());

    // A PEM certificate into the slot that held a PKCS #12 file and its password: the password goes.
    ASSERT_TRUE(SetSlotCertificateFormat(doc, 1, u"pem"));
    ASSERT_TRUE(Cert(1).empty()) << "a new format empties the slot";
    ASSERT_TRUE(doc.Set(u"eap_cert_passwd", 1, u"left over"));
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 1, fx->pem, nullptr), 0u);
    EXPECT_TRUE(Cert(1).starts_with(u"-----BEGIN CERTIFICATE-----"));
    EXPECT_TRUE(Password(1).empty());
}

TEST_F(CertSlot, FailedImportLeavesSlotAndFlagAlone) {
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 0, fx->p12NoPassword, nullptr), 0u);
    const std::u16string held = Cert(0);
    doc.SetModifiedFlag(false);
    const struct {
        const char* name;
        std::string path;
        CertPasswordPrompt prompt;
        uint32_t code;
        uint32_t message;
    } cases[] = {
        {"wrong password", fx->p12Password, Answer("wrong"), kErrInvalidPassword, kTextIdCertWrongPassword},
        {"cancelled", fx->p12Password, [](std::u16string&) { return false; }, kErrCancelled, 0},
        {"PEM file as PKCS #12", fx->pem, nullptr, kErrInvalidParameter, kTextIdCertImportFailed},
        {"folder", fx->dir, nullptr, kErrAccessDenied, kTextIdCertImportFailed},
        {"rounds past the bound", fx->p12HugeMacRounds, nullptr, kErrPkcs12TooCostly, kTextIdCertTooCostly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const uint32_t code = ImportCertificateIntoSlot(doc, 0, c.path, c.prompt);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(CertImportMessageId(code), c.message);
        EXPECT_EQ(Cert(0), held);
        EXPECT_FALSE(doc.IsModified());
    }
    EXPECT_EQ(CertImportMessageId(0), 0u);
}

TEST_F(CertSlot, RefusedCertificateStoresNothing) {
    // A PEM file with a NUL byte between its lines: the certificate setter refuses the text, so
    // the import fails and the slot keeps its certificate and password.
    std::string bytes = CertFixtures::Read(fx->pem);
    bytes.insert(bytes.find('\n') + 1, 1, '\0');
    const std::string withNul = fx->Make("nul.pem", bytes);
    struct Case {
        const char* name;
        bool filled;
    } cases[] = {{"empty slot", false}, {"slot holding a certificate", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTalveroDoc d;
        ASSERT_TRUE(SetSlotCertificateFormat(d, 1, u"pem"));
        if (c.filled) {
            ASSERT_EQ(ImportCertificateIntoSlot(d, 1, fx->pem, nullptr), 0u);
            ASSERT_TRUE(d.Set(u"eap_cert_passwd", 1, u"kept"));
        }
        const std::u16string cert = d.Get(u"eap_cert_cert", 1), password = d.Get(u"eap_cert_passwd", 1);
        d.SetModifiedFlag(false);
        const uint32_t code = ImportCertificateIntoSlot(d, 1, withNul, nullptr);
        EXPECT_EQ(code, kErrInvalidData);
        EXPECT_EQ(CertImportMessageId(code), kTextIdCertImportFailed);
        EXPECT_EQ(d.Get(u"eap_cert_cert", 1), cert);
        EXPECT_EQ(d.Get(u"eap_cert_passwd", 1), password);
        EXPECT_FALSE(d.IsModified());
    }
}

TEST_F(CertSlot, EveryFormatChangeEmptiesTheSlot) {
    // Whatever path sets a slot's format: the slot functions, the setter by name, the setter by
    // the file's key (as `talvero-cli set` and fleet rows do).
    const struct {
        const char* name;
        std::function<bool(CTalveroDoc&, const char16_t*)> set;
    } paths[] = {
        {"slot function",
         [](CTalveroDoc& d, const char16_t* f) { return SetSlotCertificateFormat(d, 1, f); }},
        {"setter by name", [](CTalveroDoc& d, const char16_t* f) { return d.Set(u"eap_cert_format", 1, f); }},
        {"setter by key",
         [](CTalveroDoc& d, const char16_t* f) {
             return d.Set(*FindSettingByKey(u"eap_cert_format_02"), f);
         }},
    };
    const struct {
        const char16_t* format;
        bool accepted, emptied;
    } formats[] = {{u"p12", true, false}, {u"pem", true, true}, {u"der", false, false}};
    for (const auto& path : paths) {
        for (const auto& f : formats) {
            SCOPED_TRACE(std::string(path.name) + " " + Utf16ToUtf8(f.format));
            CTalveroDoc d;
            ASSERT_EQ(ImportCertificateIntoSlot(d, 1, fx->p12Password, Answer(CertFixtures::kPassword)), 0u);
            ASSERT_EQ(ImportCertificateIntoSlot(d, 2, fx->p12Password, Answer(CertFixtures::kPassword)), 0u);
            EXPECT_EQ(path.set(d, f.format), f.accepted);
            EXPECT_EQ(d.Get(u"eap_cert_cert", 1).empty(), f.emptied);
            EXPECT_EQ(d.Get(u"eap_cert_passwd", 1).empty(), f.emptied);
            EXPECT_FALSE(d.Get(u"eap_cert_cert", 2).empty()) << "other slots untouched";
        }
    }
    // Loading a file is no change of format: a PEM slot keeps the certificate the file holds.
    CTalveroDoc d;
    ASSERT_TRUE(SetSlotCertificateFormat(d, 0, u"pem"));
    ASSERT_EQ(ImportCertificateIntoSlot(d, 0, fx->pem, nullptr), 0u);
    const std::string path = fx->dir + "/pem-slot.ini";
    ASSERT_TRUE(SaveConfigurationFile(d, path).ok());
    CTalveroDoc back;
    ASSERT_TRUE(OpenConfigurationFile(back, path).ok());
    EXPECT_EQ(back.Get(u"eap_cert_cert", 0), d.Get(u"eap_cert_cert", 0));
}

TEST_F(CertSlot, DeleteAndFormatChoice) {
    EXPECT_FALSE(DeleteSlotCertificate(doc, 3));
    EXPECT_FALSE(doc.IsModified()) << "delete on an empty slot";

    ASSERT_EQ(ImportCertificateIntoSlot(doc, 3, fx->p12Password, Answer(CertFixtures::kPassword)), 0u);
    doc.SetModifiedFlag(false);
    EXPECT_TRUE(DeleteSlotCertificate(doc, 3));
    EXPECT_TRUE(Cert(3).empty() && Password(3).empty());
    EXPECT_TRUE(doc.IsModified());

    // The format the slot already has keeps its certificate; another one empties it.
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 3, fx->p12Password, Answer(CertFixtures::kPassword)), 0u);
    EXPECT_TRUE(SetSlotCertificateFormat(doc, 3, u"p12"));
    EXPECT_FALSE(Cert(3).empty());
    EXPECT_FALSE(SetSlotCertificateFormat(doc, 3, u"der"));
    EXPECT_FALSE(Cert(3).empty()) << "a refused format changes nothing";
    EXPECT_TRUE(SetSlotCertificateFormat(doc, 3, u"pem"));
    EXPECT_TRUE(Cert(3).empty() && Password(3).empty());
}

TEST_F(CertSlot, SavedConfigurationKeepsSlotsAndScramblesThem) {
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 0, fx->p12Legacy, Answer(CertFixtures::kPassword)), 0u);
    ASSERT_TRUE(SetSlotCertificateFormat(doc, 2, u"pem"));
    ASSERT_TRUE(doc.Set(u"eap_cert_name", 2, u"site B"));
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 2, fx->twoPem, nullptr), 0u);

    const std::string path = fx->dir + "/slots.ini";
    ASSERT_TRUE(SaveConfigurationFile(doc, path).ok());
    CTalveroDoc back;
    ASSERT_TRUE(OpenConfigurationFile(back, path).ok());
    for (unsigned s = 0; s < kCertSlots; ++s) {
        for (const char16_t* f :
             {u"eap_cert_format", u"eap_cert_name", u"eap_cert_cert", u"eap_cert_passwd"}) {
            EXPECT_EQ(back.Get(f, s), doc.Get(f, s)) << Utf16ToUtf8(f) << " of slot " << s + 1;
        }
    }

    // The file form holds certificate and password scrambled, the radio form plain.
    std::vector<std::u16string> file, radio;
    doc.RenderSettings(file, true);
    doc.RenderSettings(radio, false);
    auto value = [](const std::vector<std::u16string>& lines, std::u16string_view key) {
        for (const auto& l : lines) {
            if (l.starts_with(key) && l.size() > key.size() && l[key.size()] == u'=') {
                return l.substr(key.size() + 1);
            }
        }
        return std::u16string(u"<missing>");
    };
    for (const char16_t* key : {u"eap_cert_cert_01", u"eap_cert_passwd_01", u"eap_cert_cert_03"}) {
        const std::u16string plain = value(radio, key);
        const std::u16string stored = value(file, key);
        EXPECT_NE(stored, plain) << Utf16ToUtf8(key);
        EXPECT_EQ(DecodeStoredSecret(stored), plain) << Utf16ToUtf8(key);
    }
    EXPECT_EQ(value(radio, u"eap_cert_cert_03"), Cert(2));
}

TEST_F(CertSlot, SummaryReadsSubjectAndExpiry) {
    // The expiry date as openssl prints it, turned into the summary's form.
    const std::string end = CertFixtures::Capture("openssl x509 -in " + fx->pem +
                                                  " -noout -enddate -dateopt iso_8601");  // notAfter=2027-...
    const std::string date = end.substr(end.find('=') + 1, 10);

    ASSERT_EQ(ImportCertificateIntoSlot(doc, 0, fx->p12Legacy, Answer(CertFixtures::kPassword)), 0u);
    ASSERT_TRUE(SetSlotCertificateFormat(doc, 1, u"pem"));
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 1, fx->twoPem, nullptr), 0u);
    ASSERT_EQ(ImportCertificateIntoSlot(doc, 2, fx->p12NoPassword, nullptr), 0u);

    for (unsigned s : {0u, 1u, 2u}) {
        SCOPED_TRACE(s);
        const CertSummary sum =
            SummariseStoredCertificate(doc.Get(u"eap_cert_format", s), Cert(s), Password(s));
        EXPECT_TRUE(sum.readable);
        EXPECT_EQ(sum.subject, "O=Norvane,CN=Talvero Test Client");
        EXPECT_EQ(sum.notAfter, date);
        EXPECT_EQ(sum.count, s == 1 ? 2 : 1);
    }
    EXPECT_FALSE(SummariseStoredCertificate(u"p12", Cert(0), u"wrong").readable);
    EXPECT_FALSE(
        SummariseStoredCertificate(u"pem", u"-----BEGIN CERTIFICATE-----AAAA-----END CERTIFICATE-----", u"")
            .readable);
    EXPECT_FALSE(SummariseStoredCertificate(u"p12", u"not base64!", u"").readable);

    // A stored file asking for more rounds than the bound is not opened at all.
    const std::u16string hostile = Base64Encode(CertFixtures::Read(fx->p12HugeKeyRounds));
    const CertSummary sum = SummariseStoredCertificate(u"p12", hostile, Utf8ToUtf16(CertFixtures::kPassword));
    EXPECT_TRUE(sum.tooCostly);
    EXPECT_FALSE(sum.readable);
    // Without a MAC the contents are read with the password.
    const CertSummary noMac = SummariseStoredCertificate(
        u"p12", Base64Encode(CertFixtures::Read(fx->p12NoMac)), Utf8ToUtf16(CertFixtures::kPassword));
    EXPECT_TRUE(noMac.readable);
    EXPECT_EQ(noMac.subject, "O=Norvane,CN=Talvero Test Client");
}

TEST(CertPassword, WhatTheSlotCanKeep) {
    EXPECT_TRUE(IsAcceptableCertPassword(u" ~"));
    EXPECT_TRUE(IsAcceptableCertPassword(std::u16string(63, u'a')));
    EXPECT_FALSE(IsAcceptableCertPassword(std::u16string(64, u'a')));
    EXPECT_FALSE(IsAcceptableCertPassword(u""));
    EXPECT_FALSE(IsAcceptableCertPassword(u"tab\there"));
    EXPECT_FALSE(IsAcceptableCertPassword(u"päss"));
}

}  // namespace
