#include "fuzz_targets.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "certs/cert_summary.h"
#include "certs/pem_import.h"
#include "certs/pfx_import.h"
#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"
#include "idlist/csv_reader.h"
#include "idlist/id_list_import.h"
#include "link/clone_serial_port.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

void RenderBoth(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    doc.RenderSettings(lines, false);
    unsigned index = 0;
    doc.FindDuplicateIdEntry(index);
}

// A port without a device: every write "reaches the radio", and the radio's answer to the read
// request is the whole script, followed by an end frame so that the read always ends at once
// instead of waiting out its time-out.
class ScriptedPort : public CCloneSoftSerialPort {
  public:
    ScriptedPort(const uint8_t* data, size_t size) : m_data(data), m_size(size) {
        CloneTimings t;
        t.replyTimeoutMs = 10;
        t.doneMs = 0;
        t.settleMs = 0;
        t.closeMs = 0;
        t.pace = false;
        ApplyTimings(t);
    }
    uint32_t Connect(const std::string&, uint32_t, const std::u16string&) override { return kErrSuccess; }
    uint32_t Write(const void*, size_t) override {
        if (!m_fed) {
            m_fed = true;
            for (size_t i = 0; i < m_size; ++i) {
                OnReceiveByte(m_data[i]);
            }
            for (uint8_t b : MakeRadioFrame(kCmdCloneEnd, "0000000000000000")) {
                OnReceiveByte(b);
            }
        }
        return kErrSuccess;
    }

  private:
    const uint8_t* m_data;
    size_t m_size;
    bool m_fed = false;
};

}  // namespace

int FuzzConfigurationFile(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CIniData map;
    if (ParseConfigurationBytes(bytes, map) != ConfigRefusal::None) {
        return 0;
    }
    CTalveroDoc doc;
    doc.LoadSettings(map, true);
    RenderBoth(doc);
    return 0;
}

int FuzzRadioText(const uint8_t* data, size_t size) {
    std::u16string text(size / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    CIniData map;
    map.LoadHexText(text);
    CTalveroDoc doc;
    doc.LoadSettings(map, false);
    RenderBoth(doc);
    DecodeStoredSecret(text);
    return 0;
}

int FuzzCertificateImport(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::u16string text, password;
    if (PemTextFromBytes(bytes, text) == 0) {
        SummariseStoredCertificate(u"pem", text, u"");
    }
    const auto prompt = [](std::u16string& p) {
        p = u"password";
        return true;
    };
    if (Pkcs12TextFromBytes(bytes, prompt, text, password) == 0) {
        SummariseStoredCertificate(u"p12", text, password);
    }
    return 0;
}

int FuzzCsvFile(const uint8_t* data, size_t size) {
    const std::u16string text = DecodeCsvBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    CTalveroDoc doc;
    ApplyIdListCsv(doc, text);
    unsigned index = 0;
    doc.FindDuplicateIdEntry(index);  // the imported list as a write checks it
    return 0;
}

int FuzzLanguageFile(const uint8_t* data, size_t size) {
    // The reader takes a path: an anonymous in-memory file gives it one without touching a disk.
    const int fd = memfd_create("language", MFD_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    ClearLanguageTexts();
    LoadLanguageFile("/proc/self/fd/" + std::to_string(fd), nullptr);
    ::close(fd);
    std::vector<uint32_t> ids;
    for (const auto& [id, text] : g_languageTexts) {
        ids.push_back(id);
    }
    for (uint32_t id : ids) {
        FormatLanguageText(id, {id, u"text", -1, u"more"});
    }
    ClearLanguageTexts();
    return 0;
}

int FuzzCloneRead(const uint8_t* data, size_t size) {
    ScriptedPort port(data, size);
    CIniData map;
    port.ReadClone("script", 9600, u"", map);
    if (!map.empty()) {
        CTalveroDoc doc;
        doc.LoadSettings(map, false);
    }
    return 0;
}
