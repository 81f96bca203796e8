#include "gui/pages/list_view_option_key.h"

#include "document/talvero_doc.h"
#include "gui/pages/page_rows.h"
#include "gui/pages/page_text.h"

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

const std::vector<PageChoice>& IdTypes() {
    static const std::vector<PageChoice> choices = {
        {u"indi", 2535}, {u"group", 2533}, {u"talkgrp", 2537}, {u"all", 2531}, {u"tel", 2539}};
    return choices;
}

enum : int {
    kKeyIdRow = 3,
    kKeyMessageRow = 4,
    kEmerIdRow = 8,
    kEmerMessageRow = 9,
    kMuteTimeRow = 12,
    kVolumeRow = 13
};
constexpr int kVolumeStep = 32;

}  // namespace

CListViewOptionKey::CListViewOptionKey(QWidget* parent, const PageContext& context)
    : CListViewExtraRows(parent, context) {
    PageRow muteTime = When(KeyTextRow(8959, u"opt_key_rx_mute_auto_time", 8980), EitherKeyIs(u"rx_mute"));
    DeclareRows(
        8950,
        {SectionRow(8951), KeyChoiceRow(8987, u"opt_key", KeyFunctions(false), u"func"),
         When(KeyChoiceRow(8953, u"opt_key_onetouch_id_type", IdTypes()), KeyIs(u"opt_key", u"onetouch")),
         KeyTextRow(8954, u"opt_key_onetouch_id"), KeyTableRow(8956, u"opt_key_msg_idx", u"combobox_temp"),
         SectionRow(8961), KeyChoiceRow(8988, u"opt_emer", KeyFunctions(true), u"func"),
         When(KeyChoiceRow(8953, u"opt_emer_onetouch_id_type", IdTypes()), KeyIs(u"opt_emer", u"onetouch")),
         KeyTextRow(8954, u"opt_emer_onetouch_id"), KeyTableRow(8956, u"opt_emer_msg_idx", u"combobox_temp"),
         SectionRow(3376),
         When(KeyChoiceRow(8958, u"opt_key_rx_mute_auto_rel", OffOnItems()), EitherKeyIs(u"rx_mute")),
         muteTime, When(KeyTextRow(8984, u"opt_key_onetouch_vol"), EitherKeyIs(u"onetouch_vol"))});
    // Functions a stored configuration may hold that these keys no longer offer: shown, not offered.
    AddValueText(QStringLiteral("disc_phone"), PageText(8967), QStringLiteral("func"));
    AddValueText(QStringLiteral("rec_play"), PageText(8969), QStringLiteral("func"));
    SetComboItems(kVolumeRow, NumberItems(-kVolumeStep, kVolumeStep));
    SetIdentifierRow(kKeyIdRow, {u"opt_key_onetouch_id_type", u"opt_key_onetouch_id",
                                 u"opt_key_onetouch_number", 8981, KeyIs(u"opt_key", u"onetouch")});
    SetIdentifierRow(kEmerIdRow, {u"opt_emer_onetouch_id_type", u"opt_emer_onetouch_id",
                                  u"opt_emer_onetouch_number", 8981, KeyIs(u"opt_emer", u"onetouch")});
    SetMessageRow(kKeyMessageRow, {u"opt_key_msg_idx", KeyIs(u"opt_key", u"msg")});
    SetMessageRow(kEmerMessageRow, {u"opt_emer_msg_idx", KeyIs(u"opt_emer", u"msg")});
}

TALVERO_REGISTER_PAGE(1027, CListViewOptionKey);
