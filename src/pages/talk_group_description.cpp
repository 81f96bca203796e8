#include "pages/talk_group_description.h"

#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "text/language_texts.h"

namespace {
constexpr uint32_t kTextNone = 2500;
// "%03u: ", the number part of every line.
constexpr uint32_t kTextNumber = 3061;

bool IsUserGroup(const CTalveroDoc& doc, unsigned n) {
    return n >= 1 && n <= kIdEntries && doc.Get(u"id_type", n - 1) == u"user_group";
}
}  // namespace

std::u16string TalkGroupDescription(const CTalveroDoc& doc, unsigned n) {
    if (n == 0) {
        return GetLanguageText(kTextNone);
    }
    const std::u16string number = FormatLanguageText(kTextNumber, {n});
    if (!IsUserGroup(doc, n)) {
        return number + GetLanguageText(kTextNone);
    }
    const std::u16string& name = doc.Get(u"name", n - 1);
    const std::u16string& id = doc.Get(u"id", n - 1);
    return number + FormatText(u"%s (%s)", std::vector<FormatArg>{name, id});
}

std::vector<unsigned> TalkGroupNumbers(const CTalveroDoc& doc) {
    std::vector<unsigned> numbers = {0};
    for (unsigned n = 1; n <= kIdEntries; ++n) {
        if (IsUserGroup(doc, n)) {
            numbers.push_back(n);
        }
    }
    return numbers;
}
