// Loading the document from key=value text received from the radio or read from a file.
#include "document/known_settings.h"
#include "document/secret_keys.h"
#include "document/stored_secret.h"
#include "document/talvero_doc.h"
#include "document/text_width.h"
#include "document/value_rules.h"
#include "platform/shown_text.h"
#include "platform/unicode.h"
#include "text/language_texts.h"

namespace {

// Warning texts for values cut to the width the radio can display.
enum : uint32_t {
    kTextIdNameCut = 2155,
    kTextIdMessageCut = 2156,
    kTextIdStatusCut = 2157,
    kTextIdDisplayNameCut = 2158,
    kTextIdLineBreakNotLoaded = 2161,
    kTextIdValueNotLoaded = 2190,  // %s: the key, the value read, the value kept
};

}  // namespace

bool CTalveroDoc::LoadSettings(const CIniData& map, bool fromFile) {
    const auto& cat = SettingsCatalogue();
    const KnownSettings& k = Known();
    SetDefaults();
    std::vector<std::u16string> warnings;
    bool result = true;

    // Hands a value read to its setter. A value the setter refuses would otherwise vanish
    // without a word: the warning names it and the value the setting keeps instead.
    auto store = [&](SettingId id, std::u16string_view key, std::u16string_view value) -> bool {
        if (HoldsLineBreakOrNul(value)) {
            warnings.push_back(FormatLanguageText(kTextIdLineBreakNotLoaded, {key}));
            return false;
        }
        if (Set(id, value)) {
            return true;
        }
        // An ID list entry the radio could not take fails the whole load, which says so itself.
        const bool dropsEntry =
            id.def == k.idId || id.def == k.idNumber || id.def == k.idYomi || id.def == k.idSelect;
        if (cat[id.def].family != Family::Info && !dropsEntry) {
            // A secret is told by its mask only.
            auto shown = [key](std::u16string_view v) {
                return IsSecretKey(key) ? MaskedSecret(v) : Utf8ToUtf16(ShownText(v));
            };
            warnings.push_back(
                FormatLanguageText(kTextIdValueNotLoaded, {key, shown(value), shown(Get(id))}));
        }
        return false;
    };

    // Reads one setting; returns false when its setter refused the value.
    auto loadField = [&](uint16_t def, uint16_t index) -> bool {
        const SettingDef& d = cat[def];
        const SettingId id{def, index};
        if (d.family == Family::Info) {
            // A radio that does not report a value leaves it empty; the PPP authentication types
            // keep theirs.
            const bool keep = def == k.pppAuthType || def == k.pppAuthType02;
            const std::u16string* v = map.Find(d.name);
            return store(id, d.name, v ? std::u16string_view(*v) : keep ? std::u16string_view(Get(id)) : u"");
        }
        if (!fromFile) {
            if (def == k.bgIntervalSw || def == k.wlanPsk) {
                return true;  // the radio form carries neither
            }
            if (def == k.bgInterval) {
                const std::u16string* v = map.Find(SettingKeyRef(id));
                const std::u16string value = v ? *v : Get(id);
                if (value == u"0") {
                    Set(SettingId{k.bgIntervalSw, 0}, u"off");
                    return true;
                }
                if (HoldsLineBreakOrNul(value)) {
                    return store(id, SettingKeyRef(id), value);
                }
                Set(SettingId{k.bgIntervalSw, 0}, u"on");
                return Set(id, value);
            }
        }
        const std::u16string* found = map.Find(SettingKeyRef(id));
        if (!found) {
            return true;  // a missing key keeps the default
        }
        std::u16string value = *found;
        if (fromFile && d.secretCapacity) {
            value = DecodeStoredSecret(value);
        }
        if (!fromFile && def == k.wlanKey && !IsWepEncryption(Get(SettingId{k.wlanEnc, index}))) {
            return store(SettingId{k.wlanPsk, index}, SettingKeyRef(id), value);
        }
        if (HoldsLineBreakOrNul(value)) {
            return store(id, SettingKeyRef(id), value);  // refused before any width cut is reported
        }
        const std::u16string read = value;
        if (def == k.idName || def == k.msg || def == k.stat) {
            if (FitTextWidth(value, 32)) {
                const uint32_t text = def == k.idName ? kTextIdNameCut
                                      : def == k.msg  ? kTextIdMessageCut
                                                      : kTextIdStatusCut;
                warnings.push_back(FormatLanguageText(text, {index + 1u, read, value}));
            }
        } else if (def == k.dispName) {
            if (FitTextWidth(value, 31)) {
                warnings.push_back(FormatLanguageText(kTextIdDisplayNameCut, {read, value}));
            }
        }
        return store(id, SettingKeyRef(id), value);
    };

    size_t i = 0;
    while (i < cat.size()) {
        const SettingDef& d = cat[i];
        if (IsGroupFamily(d.family)) {
            size_t end = i;
            while (end < cat.size() && cat[end].family == d.family) {
                ++end;
            }
            for (unsigned m = 0; m < FamilyCount(d.family); ++m) {
                for (size_t f = i; f < end; ++f) {
                    const auto def = static_cast<uint16_t>(f);
                    const bool accepted = loadField(def, static_cast<uint16_t>(m));
                    if (!accepted && d.family == Family::IdEntry &&
                        (def == k.idId || def == k.idNumber || def == k.idYomi || def == k.idSelect)) {
                        // An entry the radio could not take is dropped whole, never half-loaded.
                        ClearIdEntry(m);
                        result = false;
                        break;
                    }
                }
            }
            i = end;
            continue;
        }
        for (unsigned m = 0; m < FamilyCount(d.family); ++m) {
            loadField(static_cast<uint16_t>(i), static_cast<uint16_t>(m));
        }
        ++i;
    }

    UpdateAllViews(kHintLoaded, &warnings);
    return result;
}
