#include "pages/entry_description.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "text/language_texts.h"

namespace {
constexpr uint32_t kTextNoEntry = 2531, kTextGroup = 2580, kTextIndividual = 2581, kTextUserGroup = 2582,
                   kTextTelephone = 2583, kTextUnused = 2584;
}  // namespace

std::u16string EntryDescription(const CTalveroDoc& doc, unsigned n) {
    if (n == 0) {
        return GetLanguageText(kTextNoEntry);
    }
    if (n > kIdEntries) {
        return FormatLanguageText(kTextUnused, {n});
    }
    const unsigned index = n - 1;
    const std::u16string& type = doc.Get(u"id_type", index);
    const std::u16string& name = doc.Get(u"name", index);
    if (type == u"indi") {
        return FormatLanguageText(kTextIndividual, {n, name, doc.Get(u"id", index)});
    }
    if (type == u"group") {
        return FormatLanguageText(kTextGroup, {n, name, doc.Get(u"id", index)});
    }
    if (type == u"user_group") {
        return FormatLanguageText(kTextUserGroup, {n, name, doc.Get(u"id", index)});
    }
    if (type == u"tel") {
        return FormatLanguageText(kTextTelephone, {n, name, doc.Get(u"number", index)});
    }
    return FormatLanguageText(kTextUnused, {n});
}
