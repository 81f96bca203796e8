// Commands on the client certificate slots of a configuration file: import, delete and list, on
// the same slot actions as the program's certificate page.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "certs/cert_slot.h"
#include "certs/cert_summary.h"
#include "commands.h"
#include "document/config_file.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "platform/error_codes.h"
#include "platform/secret_wipe.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "radio_host.h"
#include "text/language_texts.h"

namespace {

const char kCertHelp[] =
    "usage: talvero-cli cert import FILE.ini SLOT CERTFILE [--format pem|p12] [--password-stdin]\n"
    "                               [-o OUT.ini]\n"
    "       talvero-cli cert delete FILE.ini SLOT [-o OUT.ini]\n"
    "       talvero-cli cert list FILE.ini\n\n"
    "SLOT is 1 to 4.\n"
    "import  reads CERTFILE (at most 8000 bytes) into the slot and saves the result to OUT.ini (or\n"
    "        back to FILE). The slot's format decides how the file is read: a PEM certificate\n"
    "        file, or a PKCS #12 file that is stored whole with its password. --format first\n"
    "        changes the slot's format, which empties the slot when the format differs.\n"
    "        A PKCS #12 file with a password needs --password-stdin: the first line of standard\n"
    "        input is the password (1 to 63 printable ASCII characters). Nothing is written when\n"
    "        the import fails; the exit status is then 1.\n"
    "delete  empties the slot's certificate and password. An empty slot leaves FILE untouched.\n"
    "list    prints each slot: number, format, name and, for a stored certificate, the subject and\n"
    "        expiry date of its first certificate. Passwords are never shown.";

int Usage(const std::string& message) {
    return Fail("cert " + message + " (see --help)");
}

bool Open(CTalveroDoc& doc, const std::string& path) {
    ConfigLoadResult r = OpenConfigurationFile(doc, path);
    if (!r.ok()) {
        Fail("cert: " + path + ": " + r.Describe(), 1);
        return false;
    }
    return true;
}

bool ParseSlot(const std::string& text, unsigned& slot) {
    if (text.size() != 1 || text[0] < '1' || text[0] > '0' + static_cast<int>(kCertSlots)) {
        return false;
    }
    slot = static_cast<unsigned>(text[0] - '1');
    return true;
}

int Save(CTalveroDoc& doc, const std::string& path) {
    const ErrorInfo e = SaveAndWarn(doc, path);
    if (!e.ok()) {
        return Fail(
            "cert: cannot write " + (e.detail.empty() ? path + ": " + DescribeCode(e.code) : e.detail), 1);
    }
    return 0;
}

// Splits the arguments into positional ones and the options this command knows.
struct Parsed {
    std::vector<std::string> files;
    std::string out, format;
    bool passwordStdin = false;
};

bool ParseArgs(const std::vector<std::string>& args, bool importOptions, Parsed& p, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || (importOptions && a == "--format")) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            (a == "-o" ? p.out : p.format) = args[++i];
        } else if (importOptions && a == "--password-stdin") {
            p.passwordStdin = true;
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option '" + a + "'";
            return false;
        } else {
            p.files.push_back(a);
        }
    }
    return true;
}

// Refuses an output that is not a regular file and, when FILE is changed in place, takes its lock
// for the read, the change and the save.
bool PrepareUpdate(const std::string& command, const Parsed& p, FileUpdateLock& lock, int& status) {
    const std::string target = p.out.empty() ? p.files[0] : p.out;
    if (!CheckOutputFile(command, target, 1, status)) {
        return false;
    }
    return !SameFile(target, p.files[0]) || LockForUpdate(lock, command, p.files[0], 1, status);
}

int RunImport(const std::vector<std::string>& args) {
    Parsed p;
    std::string error;
    unsigned slot = 0;
    if (!ParseArgs(args, true, p, error)) {
        return Usage("import: " + error);
    }
    if (p.files.size() != 3) {
        return Usage("import: expected FILE.ini, SLOT and CERTFILE");
    }
    if (!ParseSlot(p.files[1], slot)) {
        return Usage("import: SLOT must be 1 to 4, not '" + p.files[1] + "'");
    }
    if (!p.format.empty() && p.format != "pem" && p.format != "p12") {
        return Usage("import: --format must be pem or p12");
    }
    FileUpdateLock lock;
    if (int status = 0; !PrepareUpdate("cert import", p, lock, status)) {
        return status;
    }
    CTalveroDoc doc;
    if (!Open(doc, p.files[0])) {
        return 1;
    }
    if (!p.format.empty() && !SetSlotCertificateFormat(doc, slot, Utf8ToUtf16(p.format))) {
        return Fail("cert import: the slot's format cannot be set to " + p.format, 1);
    }
    bool badPassword = false;
    const CertPasswordPrompt prompt = [&](std::u16string& password) {
        std::string line;
        // A line far beyond any password the slot keeps is refused unread.
        const LineRead r = p.passwordStdin ? ReadBoundedLine(STDIN_FILENO, 1024, line) : LineRead::End;
        if (r == LineRead::TooLong) {
            badPassword = true;
            return false;
        }
        if (r != LineRead::Line) {
            return false;
        }
        password = Utf8ToUtf16(line);
        WipeSecret(line);
        // The program's password field takes nothing else, and the slot keeps nothing longer.
        badPassword = !IsAcceptableCertPassword(password);
        return !badPassword;
    };
    const uint32_t code = ImportCertificateIntoSlot(doc, slot, p.files[2], prompt);
    if (code == kErrCancelled) {
        return Fail(badPassword
                        ? "cert import: the password must be 1 to 63 printable ASCII characters"
                        : "cert import: " + p.files[2] + " needs a password: give it with --password-stdin",
                    1);
    }
    if (code != kErrSuccess) {
        const uint32_t message = CertImportMessageId(code);
        // The system's description adds to the general message only; the others say it all.
        const std::string why = message == kTextIdCertImportFailed ? " (" + DescribeCode(code) + ")" : "";
        return Fail("cert import: " + p.files[2] + ": " + Utf16ToUtf8(GetLanguageText(message)) + why, 1);
    }
    return Save(doc, p.out.empty() ? p.files[0] : p.out);
}

int RunDelete(const std::vector<std::string>& args) {
    Parsed p;
    std::string error;
    unsigned slot = 0;
    if (!ParseArgs(args, false, p, error)) {
        return Usage("delete: " + error);
    }
    if (p.files.size() != 2) {
        return Usage("delete: expected FILE.ini and SLOT");
    }
    if (!ParseSlot(p.files[1], slot)) {
        return Usage("delete: SLOT must be 1 to 4, not '" + p.files[1] + "'");
    }
    FileUpdateLock lock;
    if (int status = 0; !PrepareUpdate("cert delete", p, lock, status)) {
        return status;
    }
    CTalveroDoc doc;
    if (!Open(doc, p.files[0])) {
        return 1;
    }
    // An empty slot changes nothing, so the file is not rewritten (its secrets would be scrambled
    // anew) unless another output was asked for.
    if (!DeleteSlotCertificate(doc, slot) && p.out.empty()) {
        return 0;
    }
    return Save(doc, p.out.empty() ? p.files[0] : p.out);
}

int RunList(const std::vector<std::string>& args) {
    if (args.size() != 1 || (args[0].size() > 1 && args[0][0] == '-')) {
        return Usage("list: expected FILE.ini");
    }
    CTalveroDoc doc;
    if (!Open(doc, args[0])) {
        return 1;
    }
    for (unsigned s = 0; s < kCertSlots; ++s) {
        const std::u16string& format = doc.Get(u"eap_cert_format", s);
        const std::u16string& cert = doc.Get(u"eap_cert_cert", s);
        // The names come from the file and from certificates: cut and escaped.
        std::string line = "slot " + std::to_string(s + 1) + ": " + ShownText(format) + " \"" +
                           ShownText(doc.Get(u"eap_cert_name", s)) + "\": ";
        if (cert.empty()) {
            line += "empty";
        } else {
            const CertSummary sum = SummariseStoredCertificate(format, cert, doc.Get(u"eap_cert_passwd", s));
            if (sum.tooCostly) {
                line += "not opened: the file asks for more than " + std::to_string(kPkcs12MaxIterations) +
                        " password rounds";
            } else if (!sum.readable) {
                line += "certificate not readable";
            } else {
                line +=
                    "subject " + EscapeControls(sum.subject) + ", expires " + EscapeControls(sum.notAfter);
                if (sum.count > 1) {
                    line += " (" + std::to_string(sum.count) + " certificates)";
                }
            }
        }
        std::puts(line.c_str());
    }
    return 0;
}

int RunCert(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "%s\n", kCertHelp);
        return 2;
    }
    if (WantsHelp(args)) {
        std::puts(kCertHelp);
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "import") {
        LoadLanguageTexts();  // the failure reads as the program's message
        return RunImport(rest);
    }
    if (args[0] == "delete") {
        return RunDelete(rest);
    }
    if (args[0] == "list") {
        return RunList(rest);
    }
    return Fail("cert: unknown action '" + args[0] + "' (expected import, delete or list; see --help)");
}

}  // namespace

std::vector<CliCommand> CertCommands() {
    return {
        {"cert", "import, delete or list the client certificates of a configuration file", RunCert},
    };
}
