// Rendering the document as key=value lines: the file form (everything, secrets scrambled) and
// the radio form (what the clone write sends).
#include <unordered_set>

#include "document/known_settings.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"

// The key under which the radio tells ID list entries apart; entries with equal keys are the
// same radio entry.
static std::u16string DuplicateKey(const CTalveroDoc& doc, unsigned entry) {
    const KnownSettings& k = Known();
    const auto i = static_cast<uint16_t>(entry);
    const std::u16string& type = doc.Get(SettingId{k.idType, i});
    if (type == u"tel") {
        return u"tel@" + doc.Get(SettingId{k.idNumber, i});
    }
    if (type == u"group" || type == u"user_group") {
        return u"group@" + doc.Get(SettingId{k.idId, i});
    }
    return type + u"@" + doc.Get(SettingId{k.idId, i});
}

// Entries the radio form leaves out before any duplicate check: not in use, or a phone entry
// without a number.
static bool SkippedInRadioForm(const CTalveroDoc& doc, unsigned entry) {
    const KnownSettings& k = Known();
    const auto i = static_cast<uint16_t>(entry);
    const std::u16string& type = doc.Get(SettingId{k.idType, i});
    return type.empty() || (type == u"tel" && doc.Get(SettingId{k.idNumber, i}).empty());
}

bool CTalveroDoc::FindDuplicateIdEntry(unsigned& index) const {
    std::unordered_set<std::u16string> seen;
    for (unsigned e = 0; e < kIdEntries; ++e) {
        if (SkippedInRadioForm(*this, e)) {
            continue;
        }
        if (!seen.insert(DuplicateKey(*this, e)).second) {
            index = e;
            return false;
        }
    }
    return true;
}

void CTalveroDoc::RenderSettings(std::vector<std::u16string>& lines, bool forFile) const {
    const auto& cat = SettingsCatalogue();
    const KnownSettings& k = Known();
    lines.clear();
    lines.reserve(forFile ? 4000 : 3600);

    auto emit = [&](SettingId id, std::u16string_view value) {
        std::u16string line = SettingKeyRef(id);
        line += u'=';
        line += value;
        lines.push_back(std::move(line));
    };
    auto secret = [&](const SettingDef& d, const std::u16string& value) {
        const size_t cap = d.secretCapacity == kSecretOwnLength ? value.size() : d.secretCapacity;
        return EncodeStoredSecret(value, cap);
    };
    // The identifier to send for a call target whose type is "all": the radio expects "0".
    auto pairedType = [&](uint16_t def) -> int {
        if (def == k.defId)
            return k.defIdType;
        if (def == k.optKeyOnetouchId)
            return k.optKeyOnetouchIdType;
        if (def == k.optEmerOnetouchId)
            return k.optEmerOnetouchIdType;
        if (def == k.subDefId)
            return k.subDefIdType;
        return -1;
    };

    std::unordered_set<std::u16string> seenEntries;
    // One field of one member; returns nothing, emits zero or one line.
    auto renderField = [&](uint16_t def, uint16_t index) {
        const SettingDef& d = cat[def];
        const SettingId id{def, index};
        const std::u16string& v = Get(id);
        if (!forFile) {
            const int paired = pairedType(def);
            if (paired >= 0 && Get(SettingId{static_cast<uint16_t>(paired), 0}) == u"all") {
                emit(id, u"0");
                return;
            }
            if (def == k.bgIntervalSw) {
                return;
            }
            if (def == k.bgInterval) {
                emit(id, Get(SettingId{k.bgIntervalSw, 0}) == u"on" ? v : u"0");
                return;
            }
        }
        if (d.family == Family::Profile) {
            if ((def == k.wlanIpaddr || def == k.wlanSubnet || def == k.wlanDefGw) &&
                Get(SettingId{k.wlanDhcp, index}) == u"on") {
                return;
            }
            if (!forFile && def == k.wlanKey) {
                const bool wep = IsWepEncryption(Get(SettingId{k.wlanEnc, index}));
                emit(id, wep ? v : Get(SettingId{k.wlanPsk, index}));
                return;
            }
            if (!forFile && def == k.wlanPsk) {
                return;
            }
        }
        if (forFile && d.secretCapacity) {
            emit(id, secret(d, v));
        } else {
            emit(id, v);
        }
    };

    const size_t wlanStart = k.wlanScan;
    size_t i = m_wlanOnly ? wlanStart : 0;
    while (i < cat.size()) {
        const SettingDef& d = cat[i];
        if (!d.rendered) {
            ++i;
            continue;
        }
        if (IsGroupFamily(d.family)) {
            // A family of several fields is rendered member by member.
            size_t end = i;
            while (end < cat.size() && cat[end].family == d.family) {
                ++end;
            }
            const unsigned members = FamilyCount(d.family);
            for (unsigned m = 0; m < members; ++m) {
                if (d.family == Family::IdEntry) {
                    if (Get(SettingId{k.idType, static_cast<uint16_t>(m)}).empty()) {
                        continue;
                    }
                    if (!forFile && (SkippedInRadioForm(*this, m) ||
                                     !seenEntries.insert(DuplicateKey(*this, m)).second)) {
                        continue;
                    }
                }
                for (size_t f = i; f < end; ++f) {
                    renderField(static_cast<uint16_t>(f), static_cast<uint16_t>(m));
                }
            }
            i = end;
            continue;
        }
        for (unsigned m = 0; m < FamilyCount(d.family); ++m) {
            renderField(static_cast<uint16_t>(i), static_cast<uint16_t>(m));
        }
        ++i;
    }

    if (forFile) {
        // Informational only: lets a reader of the file see whose radio it came from.
        lines.push_back(u"cs_file_info_name=" + Get(SettingId{k.callId, 0}) + u" : " +
                        Get(SettingId{k.dispName, 0}));
    }
}
