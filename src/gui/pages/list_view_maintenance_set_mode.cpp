#include "gui/pages/list_view_maintenance_set_mode.h"

#include <array>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/pages/page_text.h"

using namespace page_style;

namespace {

struct PermissionRow {
    std::u16string_view key;
    uint32_t labelId;
};

constexpr int kFirstRow = 2;
constexpr int kResetRow = 81;
constexpr int kLowColumn = 1;
constexpr int kHighColumn = 2;
constexpr uint32_t kFlagOff = 2585, kFlagOn = 2586;
const QString kTable = QStringLiteral("default");

// Rows 2 to 81 in page order. The display items near the end are ordered as the radio's setting
// mode lists them, not as the configuration text does.
constexpr std::array<PermissionRow, 80> kPermissions = {{
    {u"setcom_his_del", 10300},
    {u"setcom_firmup", 10301},
    {u"setlte_connect", 10302},
    {u"setlte_fail", 10303},
    {u"setlte_tx_stbeep_ind", 10304},
    {u"setlte_tx_stbeep_grp", 10305},
    {u"setlte_tx_stbeep_all", 10306},
    {u"setlte_tx_stbeep_tel", 10307},
    {u"setlte_rx_enbeep_ind", 10308},
    {u"setlte_rx_enbeep_grp", 10309},
    {u"setlte_rx_enbeep_all", 10310},
    {u"setlte_rx_enbeep_tel", 10311},
    {u"setlte_rx_beep_ind", 10312},
    {u"setlte_rx_beep_grp", 10313},
    {u"setlte_rx_beep_all", 10314},
    {u"setlte_rx_beep_tel", 10315},
    {u"setlte_rx_beep_msg", 10316},
    {u"setlte_rx_call_ind", 10317},
    {u"setlte_rx_call_grp", 10318},
    {u"setlte_rx_call_all", 10319},
    {u"setlte_rx_call_tel", 10320},
    {u"setlte_rx_call_ct_ind", 10321},
    {u"setlte_rx_call_ct_grp", 10322},
    {u"setlte_rx_call_ct_all", 10323},
    {u"setlte_rx_call_ct_tel", 10324},
    {u"setlte_rx_call_ct_msg", 10325},
    {u"setlte_rx_act", 10326},
    {u"setcom_rxbeep_vol", 10327},
    {u"setcom_rxbeep_vol_link", 10328},
    {u"setcom_txbeep_vol", 10329},
    {u"setcom_txbeep_vol_link", 10330},
    {u"setlte_no_comm_beep", 10331},
    {u"setlte_no_comm_stone_stop", 10332},
    {u"setlte_stone", 10333},
    {u"setlte_stone_vol", 10334},
    {u"setcom_vox", 10335},
    {u"setcom_vox_thresh", 10336},
    {u"setcom_mandown", 10337},
    {u"setcom_loneworker", 10338},
    {u"setcom_stan_detect", 10339},
    {u"setcom_act_detect", 10340},
    {u"setlte_echo_cancel", 10341},
    {u"setcom_noise_cancel", 10342},
    {u"setcom_backlight", 10343},
    {u"setcom_brightness", 10344},
    {u"setcom_contrast", 10345},
    {u"setcom_int_mic_gain", 10346},
    {u"setcom_ext_mic_gain", 10347},
    {u"setcom_key_beep", 10348},
    {u"setcom_key_beep_level", 10349},
    {u"setcom_key_beep_linked", 10350},
    {u"setlte_jitter_buf", 10351},
    {u"setlte_tx_inh", 10352},
    {u"setcom_ope_inh", 10353},
    {u"setcom_ptt_lock", 10354},
    {u"setlte_wait_call", 10355},
    {u"setcom_onetouch_ptt", 10356},
    {u"setlte_disp_sw", 10357},
    {u"setcom_gps_switch", 10383},
    {u"setcom_bt", 10358},
    {u"setcom_bt_ver", 10359},
    {u"setcom_disp_active_line", 10384},
    {u"setcom_active_line", 10376},
    {u"setcom_record", 10360},
    {u"setcom_rec_target", 10361},
    {u"setcom_rec_del", 10362},
    {u"setcom_s_ptt_push", 10363},
    {u"setcom_emer_push", 10364},
    {u"setcom_keylock_vol_act", 10366},
    {u"setcom_afmin_level", 10367},
    {u"setcom_afmax_level", 10368},
    {u"setlte_disp_sim_sw", 10369},
    {u"setlte_sim_sw", 10370},
    {u"setcom_disp_silent_mode", 10382},
    {u"setcom_disp_set_chg", 10381},
    {u"setlte_lte_ver", 10371},
    {u"setlte_imei", 10372},
    {u"setlte_tel_no", 10373},
    {u"setlte_iccid", 10374},
    {u"setmode_reset", 9510},
}};
static_assert(kFirstRow + static_cast<int>(kPermissions.size()) - 1 == kResetRow);

bool IsFlagCell(int row, int column) {
    return row >= kFirstRow && row <= kResetRow && (column == kLowColumn || column == kHighColumn);
}

}  // namespace

CListViewMaintenanceSetMode::CListViewMaintenanceSetMode(QWidget* parent, const PageContext& context)
    : CListViewBase(parent, context) {
    InsertPageColumns(PageText(9500), {470, 150, 150});
    for (int row = 0; row <= kResetRow; ++row) {
        InsertItem(row, QString());
    }
    AddSectionRow(0, 3, PageText(9501));
    AddLabelCell(1, 0, PageText(9502));
    AddLabelCell(1, kLowColumn, PageText(9503));
    AddLabelCell(1, kHighColumn, PageText(9504));
    for (int row = kFirstRow; row <= kResetRow; ++row) {
        const PermissionRow& permission = kPermissions[row - kFirstRow];
        AddLabelCell(row, 0, PageText(permission.labelId));
        for (int column : {kLowColumn, kHighColumn}) {
            // Opening the reset item to the radio's user is not offered.
            const int editable = row == kResetRow && column == kLowColumn ? 0 : 1;
            SetInputCell(row, column, editable, kValueText, kValueBack, kValueBorder, kDisabledText,
                         kDisabledBack, kDisabledBorder);
        }
        SetHelpPage(row, QString::fromStdU16String(std::u16string(permission.key)) + QStringLiteral(".htm"));
    }
    AddValueText(QStringLiteral("0"), PageText(kFlagOff), kTable);
    AddValueText(QStringLiteral("1"), PageText(kFlagOn), kTable);
}

std::u16string_view CListViewMaintenanceSetMode::RowKey(int row) {
    if (row < kFirstRow || row > kResetRow) {
        return {};
    }
    return kPermissions[row - kFirstRow].key;
}

void CListViewMaintenanceSetMode::ShowPermission(const QString& value, int row) {
    // The cells show the flags exactly as the document reads them when one of them is changed,
    // so a value outside 0–3 never shows a flag that the next edit would drop.
    const std::u16string stored = value.toStdU16String();
    const QString low = QString::fromStdU16String(CTalveroDoc::GetModeFlagLow(stored));
    const QString high = QString::fromStdU16String(CTalveroDoc::GetModeFlagHigh(stored));
    SetItemText(row, kLowColumn, ValueToText(low, kTable));
    SetItemText(row, kHighColumn, ValueToText(high, kTable));
    RedrawItems(row, row);
}

void CListViewMaintenanceSetMode::RefreshFromDocument() {
    auto show = [this](int row) { ShowPermission(QString::fromStdU16String(Doc().Get(RowKey(row))), row); };
    show(kResetRow);
    for (int row = kFirstRow; row < kResetRow; ++row) {
        show(row);
    }
}

QWidget* CListViewMaintenanceSetMode::CreateCellEditor(int row, int column, int left, int top, int right,
                                                       int bottom, const QString& text) {
    if (!IsFlagCell(row, column) || !IsCellEditable(row, column)) {
        return nullptr;
    }
    return new KGridListCtrlCombo(this, row, column, left, top, right, bottom,
                                  {PageText(kFlagOff), PageText(kFlagOn)}, text);
}

void CListViewMaintenanceSetMode::OnEndCellEdit(KEndEditRecord& record) {
    if (!IsFlagCell(record.row, record.column) || !IsCellEditable(record.row, record.column)) {
        return;
    }
    const QString flag = TextToValue(record.text, kTable);
    if (flag.isEmpty()) {
        return;
    }
    const std::u16string_view key = RowKey(record.row);
    if (record.column == kLowColumn) {
        Doc().SetModeFlagLow(key, flag.toStdU16String());
    } else {
        Doc().SetModeFlagHigh(key, flag.toStdU16String());
    }
    ShowPermission(QString::fromStdU16String(Doc().Get(key)), record.row);
}

int CListViewMaintenanceSetMode::GetCellFontIndex(int row, int column) {
    // Font 0 is the bold one; the column headings use it.
    return row == 1 ? 0 : KGridListView::GetCellFontIndex(row, column);
}

TALVERO_REGISTER_PAGE(1036, CListViewMaintenanceSetMode);
