#include "pages/set_mode_page.h"

#include <array>
#include <string_view>

#include "pages/page_list.h"
#include "pages/page_rows.h"

namespace {

constexpr uint32_t kTitle = 9500, kSection = 9501;

struct Permission {
    std::u16string_view key;
    uint32_t labelId;
};

// In page order. The display items near the end are ordered as the radio's setting mode lists
// them, not as the configuration text does.
constexpr std::array<Permission, 80> kPermissions = {{
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
    {set_mode_page::kResetKey, 9510},
}};

}  // namespace

PageDeclaration SetModePage() {
    using namespace set_mode_page;
    std::vector<PageRow> rows = {SectionRow(kSection)};
    for (const Permission& permission : kPermissions) {
        // The packed value: 0 to 3.
        rows.push_back(
            ValueChoiceRow(permission.labelId, std::u16string(permission.key), {}, NumberChoices(0, 3)));
    }
    PageDeclaration page = RowsPage(kNodeId, kTitle, std::move(rows));
    page.labelWidth = kLabelWidth;
    return page;
}
