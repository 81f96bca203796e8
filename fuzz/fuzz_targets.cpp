#include "fuzz_targets.h"

#include <string>
#include <vector>

#include "certs/cert_summary.h"
#include "certs/pem_import.h"
#include "certs/pfx_import.h"
#include "document/config_file.h"
#include "document/ini_data.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"

namespace {

void RenderBoth(const CTalveroDoc& doc) {
    std::vector<std::u16string> lines;
    doc.RenderSettings(lines, true);
    doc.RenderSettings(lines, false);
    unsigned index = 0;
    doc.FindDuplicateIdEntry(index);
}

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
