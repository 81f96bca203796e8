#include "fuzz_targets.h"

#include <string>
#include <vector>

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
