#include "gui/pages/list_view_function_emergency.h"

#include "document/talvero_doc.h"
#include "gui/pages/page_rows.h"
#include "gui/pages/page_text.h"

namespace {

const QString kDisableNum = QStringLiteral("COMBO_DISABLE_NUM");
const QString kRepeatCount1 = QStringLiteral("COMBO_REPEATC_CNT1");
const QString kRepeatCount2 = QStringLiteral("COMBO_REPEATC_CNT2");
constexpr int kMaxCount = 255;
constexpr int kRows = 63;
constexpr int kFirstColumnWidth = 340;
enum : int { kIdRow = 11, kSecondIdRow = 19 };

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

const std::vector<PageChoice>& IdTypes() {
    static const std::vector<PageChoice> choices = {
        {u"indi", 2535}, {u"group", 2533}, {u"talkgrp", 2537}, {u"all", 2531}, {u"tel", 2539}};
    return choices;
}

}  // namespace

CListViewFunctionEmergency::CListViewFunctionEmergency(QWidget* parent, const PageContext& context)
    : CListViewExtraRows(parent, context) {
    const auto on = Enabled;
    const auto notRepeating = [](const CTalveroDoc& doc) { return Enabled(doc) && !Repeating(doc); };
    const auto repeating = [](const CTalveroDoc& doc) { return Enabled(doc) && Repeating(doc); };
    const auto secondCall = [](const CTalveroDoc& doc) { return Enabled(doc) && SecondCall(doc); };

    std::vector<PageRow> rows(kRows);
    rows[0] = SectionRow(7502);
    rows[1] = OffOnRow(7503, u"emer_enabled");
    rows[2] = When(OffOnRow(7525, u"repeatc_enabled"), on);
    rows[3] = When(KeyTextRow(7513, u"emer_mic_gain"), on);
    rows[4] = When(KeyTextRow(7504, u"emer_start_time"), on);
    rows[5] = When(KeyTableRow(7505, u"emer_end_time", kDisableNum.toStdU16String()), on);
    rows[6] = When(OffOnRow(7506, u"emer_tx_tone"), on);
    rows[7] = When(KeyTextRow(7507, u"emer_tx_tone_vol"), WhileOn(u"emer_tx_tone"));
    rows[8] = When(OffOnRow(7517, u"emer_tx_tone_vol_link"), WhileOn(u"emer_tx_tone"));
    rows[9] = When(OffOnRow(7516, u"emer_id_type_sel"), on);
    rows[10] =
        When(KeyChoiceRow(7508, u"emer_id_type", IdTypes(), u"COMBO_ID_TYPE"), WhileOn(u"emer_id_type_sel"));
    rows[kIdRow] = KeyTextRow(7509, u"emer_id");
    rows[12] = When(OffOnRow(7514, u"emer_auto_tx"), notRepeating);
    rows[13] = When(OffOnRow(7510, u"emer_stop_answer"), on);
    rows[14] = When(KeyTableRow(7511, u"emer_stop_time", kDisableNum.toStdU16String()), notRepeating);
    rows[15] = When(KeyTableRow(7526, u"repeatc_cnt1", kRepeatCount1.toStdU16String()), repeating);
    rows[16] = When(KeyTableRow(7527, u"repeatc_cnt2", kRepeatCount2.toStdU16String()), repeating);
    rows[17] = When(KeyTableRow(7518, u"emer_2nd_tx_time", kDisableNum.toStdU16String()), notRepeating);
    rows[18] = When(KeyChoiceRow(7519, u"emer_id_type_2nd", IdTypes(), u"COMBO_ID_TYPE"), secondCall);
    rows[kSecondIdRow] = KeyTextRow(7520, u"emer_id_2nd");
    rows[20] = SectionRow(7529);
    const char16_t* timers[] = {u"emer_reminder_time",      u"repeatc_repeat_time",
                                u"repeatc_tx_locator_time", u"repeatc_auto_tx_time",
                                u"repeatc_rx_locator_time", u"repeatc_auto_rx_time",
                                u"repeatc_idle_time"};
    for (int i = 0; i < 7; ++i) {
        rows[21 + i] = When(KeyTableRow(7530 + i, timers[i], kDisableNum.toStdU16String()), repeating);
    }
    rows[28] = SectionRow(7541);
    // The texts' width limit and display-text check are the catalogue's.
    const auto textRow = [](uint32_t label, const char16_t* key) { return KeyTextRow(label, key); };
    rows[29] = When(textRow(7515, u"emer_text"), on);
    rows[30] = When(OffOnRow(7542, u"emer_type_notice"), on);
    const char16_t* texts[] = {u"emer_mand_text", u"emer_lw_text", u"emer_stationary_text",
                               u"emer_motion_text"};
    for (int i = 0; i < 4; ++i) {
        rows[31 + i] = When(textRow(7543 + i, texts[i]), WhileOn(u"emer_type_notice"));
    }
    rows[35] = SectionRow(7550);
    rows[36] = When(OffOnRow(7551, u"emer_rcv_rx_tone"), on);
    rows[37] = When(KeyTextRow(7552, u"emer_rcv_rx_tone_vol"), WhileOn(u"emer_rcv_rx_tone"));
    rows[38] = When(OffOnRow(7517, u"emer_rcv_rx_tone_vol_link"), WhileOn(u"emer_rcv_rx_tone"));
    rows[39] = When(
        KeyChoiceRow(7553, u"emer_rcv_rx_action", {{u"beep", 2557}, {u"vib", 2558}, {u"beep+vib", 2559}}),
        WhileOn(u"emer_rcv_rx_tone"));
    rows[40] = SectionRow(7570);
    rows[41] = When(OffOnRow(7571, u"emer_mand_enabled"), on);
    rows[42] = When(KeyTableRow(7572, u"emer_mand_moni_time", kDisableNum.toStdU16String()),
                    WhileOn(u"emer_mand_enabled"));
    rows[43] = When(KeyTableRow(7573, u"emer_mand_warn_time", kDisableNum.toStdU16String()),
                    WhileOn(u"emer_mand_enabled"));
    rows[44] = When(KeyTextRow(7574, u"emer_mand_angle"), WhileOn(u"emer_mand_enabled"));
    rows[45] = When(OffOnRow(7575, u"emer_mand_stationary"), WhileOn(u"emer_mand_enabled"));
    rows[46] = SectionRow(7559);
    rows[47] = When(OffOnRow(7560, u"emer_lw_enabled"), on);
    rows[48] = When(KeyTextRow(7561, u"emer_lw_moni_time"), WhileOn(u"emer_lw_enabled"));
    rows[49] = When(KeyTextRow(7562, u"emer_lw_warn_time"), WhileOn(u"emer_lw_enabled"));
    rows[50] = When(KeyTableRow(7563, u"emer_lw_ptt_delay_time", kDisableNum.toStdU16String()),
                    WhileOn(u"emer_lw_enabled"));
    rows[51] = When(OffOnRow(7564, u"emer_lw_stationary"), WhileOn(u"emer_lw_enabled"));
    rows[52] = SectionRow(7580);
    rows[53] = When(OffOnRow(7580, u"emer_stationary"), on);
    rows[54] = When(KeyTableRow(7581, u"emer_stationary_moni_time", kDisableNum.toStdU16String()),
                    WhileNotOff(u"emer_stationary"));
    rows[55] = When(KeyTableRow(7582, u"emer_stationary_warn_time", kDisableNum.toStdU16String()),
                    WhileNotOff(u"emer_stationary"));
    rows[56] = SectionRow(7590);
    rows[57] = When(OffOnRow(7590, u"emer_motion"), on);
    rows[58] = When(KeyTableRow(7591, u"emer_motion_moni_time", kDisableNum.toStdU16String()),
                    WhileNotOff(u"emer_motion"));
    rows[59] = When(KeyTableRow(7592, u"emer_motion_warn_time", kDisableNum.toStdU16String()),
                    WhileNotOff(u"emer_motion"));
    rows[60] = SectionRow(7594);
    rows[61] = When(KeyTextRow(7596, u"emer_stationary_sensitivity"), on);
    rows[62] = When(KeyTextRow(7595, u"emer_motion_sensitivity"), on);
    DeclareRows(7500, std::move(rows));
    SetColumnWidth(0, kFirstColumnWidth);

    // Counts and times: 0 has a word of its own, every other value is its number.
    AddValueText(QStringLiteral("0"), PageText(2500), kDisableNum);
    AddNumberTexts(kDisableNum, 1, kMaxCount);
    AddValueText(QStringLiteral("0"), PageText(7528), kRepeatCount1);
    AddNumberTexts(kRepeatCount1, 1, kMaxCount);
    AddValueText(QStringLiteral("0"), PageText(2500), kRepeatCount2);
    AddNumberTexts(kRepeatCount2, 1, kMaxCount - 1);
    AddValueText(QString::number(kMaxCount), PageText(7528), kRepeatCount2);

    const QStringList offThen255 = QStringList{PageText(2500)} + NumberItems(1, kMaxCount);
    SetComboItems(3, {"-12", "-9", "-6", "-3", "0", "3", "6", "9", "12"});
    SetComboItems(4, NumberItems(1, 10));
    SetComboItems(5, QStringList{PageText(2500)} + NumberItems(1, 10));
    SetComboItems(7, NumberItems(0, 32));
    for (int row : {14, 17, 21, 22, 23, 24, 25, 26, 27, 42, 43, 50, 55, 59}) {
        SetComboItems(row, offThen255);
    }
    SetComboItems(15, QStringList{PageText(7528)} + NumberItems(1, kMaxCount));
    SetComboItems(16, QStringList{PageText(2500), PageText(7528)} + NumberItems(1, kMaxCount - 1));
    SetComboItems(37, NumberItems(0, 32));
    SetComboItems(44, {"45", "60", "75"});
    for (int row : {48, 49, 54, 58}) {
        SetComboItems(row, NumberItems(1, kMaxCount));
    }
    SetComboItems(61, NumberItems(1, 10));
    SetComboItems(62, NumberItems(1, 10));

    SetIdentifierRow(kIdRow,
                     {u"emer_id_type", u"emer_id", u"emer_number", 7600, WhileOn(u"emer_id_type_sel")});
    SetIdentifierRow(kSecondIdRow,
                     {u"emer_id_type_2nd", u"emer_id_2nd", u"emer_number_2nd", 7600, secondCall});
}

TALVERO_REGISTER_PAGE(1016, CListViewFunctionEmergency);
