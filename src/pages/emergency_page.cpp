#include "document/settings_catalogue.h"
#include "document/talvero_doc.h"
#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {

constexpr int kRows = 63;
constexpr int kFirstColumnWidth = 340;
constexpr int kMaxCount = 255;
constexpr uint32_t kTextContinuous = 7528;
constexpr uint32_t kIdRefused = 7600;

bool Is(const CTalveroDoc& doc, const char16_t* key, const char16_t* value) {
    return doc.Get(key) == value;
}
bool Enabled(const CTalveroDoc& doc) {
    return Is(doc, u"emer_enabled", u"on");
}
bool Repeating(const CTalveroDoc& doc) {
    return Is(doc, u"repeatc_enabled", u"on");
}
// A second destination is called by the repeat calls when they have a second count, and
// otherwise when a second-call time is set.
bool SecondCall(const CTalveroDoc& doc) {
    return Repeating(doc) ? !Is(doc, u"repeatc_cnt2", u"0") : !Is(doc, u"emer_2nd_tx_time", u"0");
}
// The rows governed by one switch, shown only while the emergency call is on as well.
auto WhileOn(const char16_t* key) {
    return [key](const CTalveroDoc& doc) { return Enabled(doc) && Is(doc, key, u"on"); };
}
auto WhileNotOff(const char16_t* key) {
    return [key](const CTalveroDoc& doc) { return Enabled(doc) && !Is(doc, key, u"off"); };
}

// Counts and times: 0 has a word of its own, every other value is its number, a value beyond the
// combo's last included.
PageRow CountRow(uint32_t labelId, const std::u16string& key, std::vector<PageChoice> choices) {
    PageRow row = ChoiceRow(labelId, key, {}, std::move(choices));
    row.unlistedShowsValue = true;
    return row;
}
PageRow OffOrNumberRow(uint32_t labelId, const std::u16string& key, int last = kMaxCount) {
    return CountRow(labelId, key, NumberChoices({{u"0", kTextOff}}, 1, last));
}
// A monitoring time the combo offers from 1; a stored 0 still reads as off.
PageRow MonitorTimeRow(uint32_t labelId, const std::u16string& key) {
    PageRow row = CountRow(labelId, key, NumberChoices(1, kMaxCount));
    row.shownOnly = {{u"0", kTextOff}};
    return row;
}
PageRow NumberRow(uint32_t labelId, const std::u16string& key, int first, int last) {
    return ValueChoiceRow(labelId, key, {}, NumberChoices(first, last));
}

// The message names the identifier range even though the first identifier also takes 0.
PageRow IdentifierRow(uint32_t labelId, const std::u16string& key, const char16_t* typeKey,
                      const char16_t* numberKey) {
    PageRow row = IdentifierOrNumberRow(labelId, key, {}, typeKey, numberKey, kIdRefused);
    row.adjust = [](TextRowRule& rule) { rule.errorArgs = {1, 60000}; };
    return row;
}

}  // namespace

PageDeclaration EmergencyPage() {
    const auto on = Enabled;
    const auto notRepeating = [](const CTalveroDoc& doc) { return Enabled(doc) && !Repeating(doc); };
    const auto repeating = [](const CTalveroDoc& doc) { return Enabled(doc) && Repeating(doc); };
    const auto secondCall = [](const CTalveroDoc& doc) { return Enabled(doc) && SecondCall(doc); };

    std::vector<PageRow> rows(kRows);
    rows[0] = SectionRow(7502);
    rows[1] = OffOnRow(7503, u"emer_enabled");
    rows[2] = When(OffOnRow(7525, u"repeatc_enabled"), on);
    rows[3] = When(ValueChoiceRow(7513, u"emer_mic_gain", {}, ValueChoices(choice_lists::kMicGains)), on);
    rows[4] = When(NumberRow(7504, u"emer_start_time", 1, 10), on);
    rows[5] = When(OffOrNumberRow(7505, u"emer_end_time", 10), on);
    rows[6] = When(OffOnRow(7506, u"emer_tx_tone"), on);
    rows[7] = When(NumberRow(7507, u"emer_tx_tone_vol", 0, 32), WhileOn(u"emer_tx_tone"));
    rows[8] = When(OffOnRow(7517, u"emer_tx_tone_vol_link"), WhileOn(u"emer_tx_tone"));
    rows[9] = When(OffOnRow(7516, u"emer_id_type_sel"), on);
    rows[10] = When(KeyChoiceRow(7508, u"emer_id_type", IdTypeChoices()), WhileOn(u"emer_id_type_sel"));
    rows[11] =
        When(IdentifierRow(7509, u"emer_id", u"emer_id_type", u"emer_number"), WhileOn(u"emer_id_type_sel"));
    rows[12] = When(OffOnRow(7514, u"emer_auto_tx"), notRepeating);
    rows[13] = When(OffOnRow(7510, u"emer_stop_answer"), on);
    rows[14] = When(OffOrNumberRow(7511, u"emer_stop_time"), notRepeating);
    PageRow firstCount =
        ChoiceRow(7526, u"repeatc_cnt1", {}, NumberChoices({{u"0", kTextContinuous}}, 1, kMaxCount));
    rows[15] = When(firstCount, repeating);
    // The second count: 0 is off and its highest value means continuous.
    PageRow secondCount = ChoiceRow(
        7527, u"repeatc_cnt2", {},
        NumberChoices({{u"0", kTextOff}, {DecimalText(kMaxCount), kTextContinuous}}, 1, kMaxCount - 1));
    rows[16] = When(secondCount, repeating);
    rows[17] = When(OffOrNumberRow(7518, u"emer_2nd_tx_time"), notRepeating);
    rows[18] = When(KeyChoiceRow(7519, u"emer_id_type_2nd", IdTypeChoices()), secondCall);
    rows[19] = When(IdentifierRow(7520, u"emer_id_2nd", u"emer_id_type_2nd", u"emer_number_2nd"), secondCall);
    rows[20] = SectionRow(7529);
    const char16_t* timers[] = {u"emer_reminder_time",      u"repeatc_repeat_time",
                                u"repeatc_tx_locator_time", u"repeatc_auto_tx_time",
                                u"repeatc_rx_locator_time", u"repeatc_auto_rx_time",
                                u"repeatc_idle_time"};
    for (int i = 0; i < 7; ++i) {
        rows[21 + i] = When(OffOrNumberRow(7530 + i, timers[i]), repeating);
    }
    rows[28] = SectionRow(7541);
    rows[29] = When(KeyTextRow(7515, u"emer_text"), on);
    rows[30] = When(OffOnRow(7542, u"emer_type_notice"), on);
    const char16_t* texts[] = {u"emer_mand_text", u"emer_lw_text", u"emer_stationary_text",
                               u"emer_motion_text"};
    for (int i = 0; i < 4; ++i) {
        rows[31 + i] = When(KeyTextRow(7543 + i, texts[i]), WhileOn(u"emer_type_notice"));
    }
    rows[35] = SectionRow(7550);
    rows[36] = When(OffOnRow(7551, u"emer_rcv_rx_tone"), on);
    rows[37] = When(NumberRow(7552, u"emer_rcv_rx_tone_vol", 0, 32), WhileOn(u"emer_rcv_rx_tone"));
    rows[38] = When(OffOnRow(7517, u"emer_rcv_rx_tone_vol_link"), WhileOn(u"emer_rcv_rx_tone"));
    rows[39] = When(
        KeyChoiceRow(7553, u"emer_rcv_rx_action", {{u"beep", 2557}, {u"vib", 2558}, {u"beep+vib", 2559}}),
        WhileOn(u"emer_rcv_rx_tone"));
    rows[40] = SectionRow(7570);
    rows[41] = When(OffOnRow(7571, u"emer_mand_enabled"), on);
    rows[42] = When(OffOrNumberRow(7572, u"emer_mand_moni_time"), WhileOn(u"emer_mand_enabled"));
    rows[43] = When(OffOrNumberRow(7573, u"emer_mand_warn_time"), WhileOn(u"emer_mand_enabled"));
    rows[44] = When(ValueChoiceRow(7574, u"emer_mand_angle", {}, ValueChoices({u"45", u"60", u"75"})),
                    WhileOn(u"emer_mand_enabled"));
    rows[45] = When(OffOnRow(7575, u"emer_mand_stationary"), WhileOn(u"emer_mand_enabled"));
    rows[46] = SectionRow(7559);
    rows[47] = When(OffOnRow(7560, u"emer_lw_enabled"), on);
    rows[48] = When(NumberRow(7561, u"emer_lw_moni_time", 1, kMaxCount), WhileOn(u"emer_lw_enabled"));
    rows[49] = When(NumberRow(7562, u"emer_lw_warn_time", 1, kMaxCount), WhileOn(u"emer_lw_enabled"));
    rows[50] = When(OffOrNumberRow(7563, u"emer_lw_ptt_delay_time"), WhileOn(u"emer_lw_enabled"));
    rows[51] = When(OffOnRow(7564, u"emer_lw_stationary"), WhileOn(u"emer_lw_enabled"));
    rows[52] = SectionRow(7580);
    rows[53] = When(OffOnRow(7580, u"emer_stationary"), on);
    rows[54] = When(MonitorTimeRow(7581, u"emer_stationary_moni_time"), WhileNotOff(u"emer_stationary"));
    rows[55] = When(OffOrNumberRow(7582, u"emer_stationary_warn_time"), WhileNotOff(u"emer_stationary"));
    rows[56] = SectionRow(7590);
    rows[57] = When(OffOnRow(7590, u"emer_motion"), on);
    rows[58] = When(MonitorTimeRow(7591, u"emer_motion_moni_time"), WhileNotOff(u"emer_motion"));
    rows[59] = When(OffOrNumberRow(7592, u"emer_motion_warn_time"), WhileNotOff(u"emer_motion"));
    rows[60] = SectionRow(7594);
    rows[61] = When(NumberRow(7596, u"emer_stationary_sensitivity", 1, 10), on);
    rows[62] = When(NumberRow(7595, u"emer_motion_sensitivity", 1, 10), on);
    PageDeclaration page = RowsPage(1016, 7500, std::move(rows));
    page.labelWidth = kFirstColumnWidth;
    return page;
}
