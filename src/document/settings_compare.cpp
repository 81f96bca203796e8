#include "document/settings_compare.h"

#include "document/ini_data.h"
#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"

std::vector<SettingDifference> CompareDocuments(const CTalveroDoc& first, const CTalveroDoc& second) {
    std::vector<SettingDifference> out;
    const auto& catalogue = SettingsCatalogue();
    for (size_t def = 0; def < catalogue.size(); ++def) {
        if (!catalogue[def].rendered) {
            continue;
        }
        const unsigned members = FamilyCount(catalogue[def].family);
        for (unsigned index = 0; index < members; ++index) {
            const SettingId id{static_cast<uint16_t>(def), static_cast<uint16_t>(index)};
            const std::u16string& a = first.Get(id);
            const std::u16string& b = second.Get(id);
            if (a != b) {
                out.push_back({SettingKey(id), a, b, false});
            }
        }
    }
    return out;
}

void LoadAsRadioHoldsIt(CTalveroDoc& source, CTalveroDoc& target) {
    std::vector<std::u16string> lines;
    const int wlanOnly = source.m_wlanOnly;
    source.m_wlanOnly = 0;
    source.RenderSettings(lines, false);
    source.m_wlanOnly = wlanOnly;
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    CIniData map;
    map.LoadText(text);
    target.SetDefaults();
    target.LoadSettings(map, false);
}

std::vector<SettingDifference> CompareWrittenLines(const std::vector<std::u16string>& written,
                                                   const CIniData& readBack) {
    std::vector<SettingDifference> out;
    for (const auto& line : written) {
        const size_t eq = line.find(u'=');
        if (eq == std::u16string::npos) {
            continue;
        }
        const std::u16string key = line.substr(0, eq);
        const std::u16string value = line.substr(eq + 1);
        const std::u16string* back = readBack.Find(key);
        if (!back) {
            out.push_back({key, value, {}, true});
        } else if (*back != value) {
            out.push_back({key, value, *back, false});
        }
    }
    return out;
}
