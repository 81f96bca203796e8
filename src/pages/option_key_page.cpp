#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {

bool Is(const CTalveroDoc& doc, const char16_t* key, const char16_t* value) {
    return doc.Get(key) == value;
}
auto KeyIs(const char16_t* key, const char16_t* function) {
    return [key, function](const CTalveroDoc& doc) { return Is(doc, key, function); };
}
auto EitherKeyIs(const char16_t* function) {
    return [function](const CTalveroDoc& doc) {
        return Is(doc, u"opt_key", function) || Is(doc, u"opt_emer", function);
    };
}

std::vector<PageChoice> KeyFunctions(bool emergencyKey) {
    std::vector<PageChoice> choices = {{u"none", 2500},    {u"msg", 8965},          {u"onetouch", 8964},
                                       {u"rx_mute", 8968}, {u"surveillance", 8986}, {u"onetouch_vol", 8985}};
    if (emergencyKey) {
        choices.push_back({u"emergency", 8970});
    }
    choices.push_back({u"rem_moni", 8983});
    return choices;
}

// A key's function row. Functions a stored configuration may hold that the key does not offer
// (the emergency function on the option key, functions of older radios) are shown, not offered.
PageRow KeyFunctionRow(uint32_t labelId, const std::u16string& key, bool emergencyKey) {
    PageRow row = KeyChoiceRow(labelId, key, KeyFunctions(emergencyKey));
    if (!emergencyKey) {
        row.shownOnly.push_back({u"emergency", 8970});
    }
    row.shownOnly.push_back({u"disc_phone", 8967});
    row.shownOnly.push_back({u"rec_play", 8969});
    return row;
}

constexpr int kVolumeStep = 32;
constexpr uint32_t kIdRefused = 8981;

// The one-touch target of a key: an identifier or a telephone number, as its type says.
PageRow OneTouchRow(const std::u16string& prefix) {
    const std::u16string key = prefix + u"_onetouch_id";
    return When(IdentifierOrNumberRow(8954, key, {}, prefix + u"_onetouch_id_type",
                                      prefix + u"_onetouch_number", kIdRefused),
                [prefix](const CTalveroDoc& doc) { return doc.Get(prefix) == u"onetouch"; });
}
PageRow KeyMessageRow(const std::u16string& prefix) {
    const std::u16string key = prefix + u"_msg_idx";
    return When(MessageRow(8956, key, {}),
                [prefix](const CTalveroDoc& doc) { return doc.Get(prefix) == u"msg"; });
}

}  // namespace

PageDeclaration OptionKeyPage() {
    PageRow muteTime = When(KeyTextRow(8959, u"opt_key_rx_mute_auto_time", 8980), EitherKeyIs(u"rx_mute"));
    return RowsPage(
        1027, 8950,
        {SectionRow(8951), KeyFunctionRow(8987, u"opt_key", false),
         When(KeyChoiceRow(8953, u"opt_key_onetouch_id_type", IdTypeChoices()),
              KeyIs(u"opt_key", u"onetouch")),
         OneTouchRow(u"opt_key"), KeyMessageRow(u"opt_key"), SectionRow(8961),
         KeyFunctionRow(8988, u"opt_emer", true),
         When(KeyChoiceRow(8953, u"opt_emer_onetouch_id_type", IdTypeChoices()),
              KeyIs(u"opt_emer", u"onetouch")),
         OneTouchRow(u"opt_emer"), KeyMessageRow(u"opt_emer"), SectionRow(3376),
         When(OffOnRow(8958, u"opt_key_rx_mute_auto_rel"), EitherKeyIs(u"rx_mute")), muteTime,
         When(ValueChoiceRow(8984, u"opt_key_onetouch_vol", {}, NumberChoices(-kVolumeStep, kVolumeStep)),
              EitherKeyIs(u"onetouch_vol"))});
}
