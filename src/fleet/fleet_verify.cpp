#include "fleet/fleet_verify.h"

#include "document/talvero_doc.h"
#include "platform/unicode.h"

FleetVerifyResult VerifyWrittenConfiguration(const CTalveroDoc& written, CloneLinkSettings& link,
                                             ICloneHost& host, const CloneTimings& timings) {
    FleetVerifyResult result;
    result.read = ReadConfiguration(link, host, timings);
    if (!result.read.ok()) {
        return result;
    }
    std::vector<std::u16string> lines;
    written.RenderSettings(lines, false);
    for (const auto& line : lines) {
        const size_t eq = line.find(u'=');
        const std::u16string_view key = std::u16string_view(line).substr(0, eq);
        const std::u16string_view value =
            eq == std::u16string::npos ? std::u16string_view() : std::u16string_view(line).substr(eq + 1);
        const std::u16string* got = result.read.data.Find(key);
        if (!got) {
            result.reason = "read back: " + Utf16ToUtf8(key) + " missing";
            return result;
        }
        if (*got != value) {
            // Secrets stay out of the report.
            const auto id = FindSettingByKey(key);
            if (id && SettingsCatalogue()[id->def].secretCapacity > 0) {
                result.reason = "read back: " + Utf16ToUtf8(key) + " differs from what was written";
                return result;
            }
            result.reason = "read back: " + Utf16ToUtf8(key) + " is '" + Utf16ToUtf8(*got) + "', written '" +
                            Utf16ToUtf8(value) + "'";
            return result;
        }
    }
    return result;
}
