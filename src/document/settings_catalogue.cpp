#include "document/settings_catalogue.h"

#include <stdexcept>
#include <unordered_map>

// Every setting of a radio configuration, in load order. Rendering follows the same order,
// skipping the rows that are never rendered; indexed families are expanded member by member
// by the renderer and the loader (ID entries and status pairs member-major, profiles and
// certificate slots likewise).

namespace {

enum : unsigned {
    kNotEmpty = 1,
    kEmptyOk = 2,
    kZeroOk = 4,
    kExactZeroOk = 8,
    kStoreU = 16,
    kStoreU05 = 32,
};

struct RowExtra {
    bool rendered = true;
    Hook hook = Hook::None;
    size_t secretCapacity = 0;
};

SettingRule Any() {
    return {};
}

SettingRule OneOf(std::initializer_list<std::u16string_view> choices) {
    SettingRule r;
    r.kind = RuleKind::OneOf;
    r.choices.assign(choices.begin(), choices.end());
    return r;
}

SettingRule OneOf(const std::vector<std::u16string_view>& choices) {
    SettingRule r;
    r.kind = RuleKind::OneOf;
    r.choices = choices;
    return r;
}

SettingRule Num(uint32_t lo, uint32_t hi, unsigned flags = 0) {
    SettingRule r;
    r.kind = RuleKind::Number;
    r.lo = lo;
    r.hi = hi;
    r.notEmpty = flags & kNotEmpty;
    r.emptyOk = flags & kEmptyOk;
    r.zeroOk = flags & kZeroOk;
    r.exactZeroOk = flags & kExactZeroOk;
    r.store = (flags & kStoreU05) ? Store::U05 : (flags & kStoreU) ? Store::U : Store::AsGiven;
    return r;
}

SettingRule Width(uint32_t limit) {
    SettingRule r;
    r.kind = RuleKind::Width;
    r.limit = limit;
    return r;
}

SettingRule Length(uint32_t limit) {
    SettingRule r;
    r.kind = RuleKind::Length;
    r.limit = limit;
    return r;
}

SettingRule Ipv4() {
    SettingRule r;
    r.kind = RuleKind::Ipv4;
    return r;
}

SettingRule DialNumber() {
    SettingRule r;
    r.kind = RuleKind::DialNumber;
    return r;
}

SettingDef Row(std::u16string_view name, Family family, std::u16string_view def, SettingRule rule,
               RowExtra extra = {}) {
    SettingDef d{name, family, def, std::move(rule)};
    d.rendered = extra.rendered;
    d.hook = extra.hook;
    d.secretCapacity = extra.secretCapacity;
    return d;
}

std::vector<SettingDef> BuildCatalogue() {
    std::vector<SettingDef> rows = {
        // Radio information and line settings: bare keys, loaded first, never rendered.
        Row(u"iccid", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"iccid2", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"tel_number", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"imei", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"com_mod_ver", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"bt_ver", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"dns1", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"dns2", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"dns_port", Family::Info, u"10053", Num(1, 65535, kEmptyOk | kStoreU), {.rendered = false}),
        Row(u"act_server", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"act_port", Family::Info, u"4989", Num(1, 65535, kEmptyOk | kStoreU), {.rendered = false}),
        Row(u"prov_addr_fqdn", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"prov_addr_port", Family::Info, u"10443", Num(1, 65535, kEmptyOk | kStoreU),
            {.rendered = false}),
        Row(u"prov_fqdn_init", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"prov_port_init", Family::Info, u"10443", Num(1, 65535, kEmptyOk | kStoreU),
            {.rendered = false}),
        Row(u"ctrl_server", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"ctrl_sub_server", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"gw_serv_addr", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"gw_serv_port", Family::Info, u"30000", Num(1, 65535, kEmptyOk | kStoreU), {.rendered = false}),
        Row(u"tenant", Family::Info, u"1", Num(1, 10, kStoreU), {.rendered = false}),
        Row(u"call_id", Family::Info, u"", Num(1, 60000, kStoreU05), {.rendered = false}),
        Row(u"ppp_domain", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"ppp_id", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"ppp_auth_type", Family::Info, u"pap", Any(), {.rendered = false}),
        Row(u"ppp_pass", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"ppp_domain_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"ppp_id_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"ppp_auth_type_02", Family::Info, u"pap", Any(), {.rendered = false}),
        Row(u"ppp_pass_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"dns1_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"dns2_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"dns_port_02", Family::Info, u"10053", Num(1, 65535, kEmptyOk | kStoreU), {.rendered = false}),
        Row(u"act_server_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"act_port_02", Family::Info, u"4989", Num(1, 65535, kEmptyOk | kStoreU), {.rendered = false}),
        Row(u"prov_fqdn_init_02", Family::Info, u"", Any(), {.rendered = false}),
        Row(u"prov_port_init_02", Family::Info, u"10443", Num(1, 65535, kEmptyOk | kStoreU),
            {.rendered = false}),
        // Default call target, talk groups and transmit control.
        Row(u"def_id_type", Family::Unit, u"all", OneOf(choice_lists::kCallTargets)),
        Row(u"def_id", Family::Unit, u"00001", Num(1, 60000, kNotEmpty | kStoreU05)),
        Row(u"def_id_list_talkgrp", Family::Unit, u"0", Num(0, 500, kNotEmpty | kStoreU)),
        Row(u"all_text", Family::Unit, u"", Length(5)),
        Row(u"home_talkgrp", Family::Unit, u"0", Num(0, 500, kNotEmpty | kStoreU)),
        Row(u"tac", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"tac_ok_tone", Family::Unit, u"tone1", OneOf(choice_lists::kToneOnOff)),
        Row(u"tac_ng_tone", Family::Unit, u"tone1", OneOf(choice_lists::kToneOnOff)),
        Row(u"tx_inhibit", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"tx_ban", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"ptt_lock", Family::Unit, u"off", Any()),
        Row(u"standby_call", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"ptt_toggle", Family::Unit, u"off", Any()),
        Row(u"tx_start_indi_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"tx_start_group_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"tx_start_all_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"tx_start_tel_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"tot", Family::Unit, u"300", Num(11, 600, kNotEmpty | kZeroOk | kStoreU), {.rendered = false}),
        Row(u"penalty", Family::Unit, u"60", Num(1, 600, kNotEmpty | kStoreU), {.rendered = false}),
        Row(u"tot_tone", Family::Unit, u"tone1", OneOf(choice_lists::kToneOnOff), {.rendered = false}),
        Row(u"tot_tel", Family::Unit, u"on", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"pri_call", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        // Microphones, earphone, VOX and Bluetooth headset.
        Row(u"int_mic_gain", Family::Unit, u"0", OneOf(choice_lists::kMicGains)),
        Row(u"ext_mic_gain", Family::Unit, u"0", OneOf(choice_lists::kMicGains)),
        Row(u"auto_tx_micsel", Family::Unit, u"btmic", OneOf({u"radio", u"btmic"})),
        Row(u"ear_vox", Family::Unit, u"off",
            OneOf({u"off", u"ear", u"headset", u"bluetooth", u"bluetooth_vemo", u"int_mic",
                   u"bluetooth_btptt"})),
        Row(u"ear_nc", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"ear_sidetone", Family::Unit, u"off", Any(), {.hook = Hook::EarSidetone}),
        Row(u"ear_sidetone_vol", Family::Unit, u"10", Any()),
        Row(u"ear_ec", Family::Unit, u"on", Any()),
        Row(u"vox_attack_time", Family::Unit, u"50", Num(0, 1995, kStoreU)),
        Row(u"vox_release_time", Family::Unit, u"200", Num(0, 1995, kStoreU)),
        Row(u"vox_delay", Family::Unit, u"200", Num(0, 500, kStoreU)),
        Row(u"vox_thresh", Family::Unit, u"40", Any()),
        Row(u"bt_hs_saving", Family::Unit, u"off", Any()),
        Row(u"bt_hs_ot_ptt", Family::Unit, u"off", Any()),
        Row(u"bt_hs_ptt_beep", Family::Unit, u"off", Any()),
        Row(u"bt_vol_link", Family::Unit, u"off", Any()),
        Row(u"bt_ec", Family::Unit, u"on", Any()),
        Row(u"bt_nc", Family::Unit, u"on", Any()),
        // Call tones, end tones, talk-back.
        Row(u"call_action", Family::Unit, u"beep", OneOf(choice_lists::kCallActions)),
        Row(u"tone_vol", Family::Unit, u"10", Num(0, 32)),
        Row(u"tone_vol_link", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"call_indi_tone", Family::Unit, u"none", OneOf(choice_lists::kTones)),
        Row(u"call_indi_tone_notice", Family::Unit, u"bel", OneOf(choice_lists::kNoticeSounds)),
        Row(u"call_indi_tone_cnt", Family::Unit, u"cnt3", OneOf(choice_lists::kToneCounts)),
        Row(u"call_group_tone", Family::Unit, u"none", OneOf(choice_lists::kTones)),
        Row(u"call_group_tone_notice", Family::Unit, u"bel", OneOf(choice_lists::kNoticeSounds)),
        Row(u"call_group_tone_cnt", Family::Unit, u"cnt3", OneOf(choice_lists::kToneCounts)),
        Row(u"call_all_tone", Family::Unit, u"none", OneOf(choice_lists::kTones)),
        Row(u"call_all_tone_notice", Family::Unit, u"bel", OneOf(choice_lists::kNoticeSounds)),
        Row(u"call_all_tone_cnt", Family::Unit, u"cnt3", OneOf(choice_lists::kToneCounts)),
        Row(u"call_tel_tone", Family::Unit, u"none", OneOf(choice_lists::kTones)),
        Row(u"call_tel_tone_notice", Family::Unit, u"bel", OneOf(choice_lists::kNoticeSounds)),
        Row(u"call_tel_tone_cnt", Family::Unit, u"cnt3", OneOf(choice_lists::kToneCounts)),
        Row(u"rx_end_indi_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"rx_end_group_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"rx_end_all_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"rx_end_tel_tone", Family::Unit, u"tone1", OneOf(choice_lists::kTones)),
        Row(u"talk_back_time_phone", Family::Unit, u"15", Num(0, 600, kNotEmpty | kStoreU)),
        Row(u"talk_back_time", Family::Unit, u"5", Num(0, 30)),
        Row(u"talk_back_time_emer", Family::Unit, u"7", Num(0, 30)),
        Row(u"talk_back_calling", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"msg_tone", Family::Unit, u"none", OneOf(choice_lists::kTones)),
        Row(u"msg_tone_cnt", Family::Unit, u"cnt3", OneOf({u"cnt", u"cnt3", u"cnt10", u"cnt20"})),
        Row(u"jitter_size", Family::Unit, u"0", Num(20, 500, kZeroOk | kStoreU)),
        Row(u"opt_key_disc_phone", Family::Unit, u"on", Any()),
        // Emergency, detectors, GPS, Bluetooth and recording.
        Row(u"emer_enabled", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"repeatc_enabled", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_mic_gain", Family::Unit, u"12", OneOf(choice_lists::kMicGains)),
        Row(u"emer_start_time", Family::Unit, u"5", Num(1, 10)),
        Row(u"emer_end_time", Family::Unit, u"0", Num(0, 10)),
        Row(u"emer_tx_tone", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"emer_tx_tone_vol", Family::Unit, u"32", Num(0, 32)),
        Row(u"emer_tx_tone_vol_link", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"emer_id_type_sel", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"emer_id_type", Family::Unit, u"all", OneOf(choice_lists::kEmergencyTargets)),
        Row(u"emer_id", Family::Unit, u"00001", Num(0, 60000, kStoreU05)),
        Row(u"emer_number", Family::Unit, u"", Any()),
        Row(u"emer_auto_tx", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_stop_answer", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"emer_stop_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_cnt1", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_cnt2", Family::Unit, u"0", Num(0, 255)),
        Row(u"emer_2nd_tx_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"emer_id_type_2nd", Family::Unit, u"all", OneOf(choice_lists::kEmergencyTargets)),
        Row(u"emer_id_2nd", Family::Unit, u"00001", Num(1, 60000, kStoreU05)),
        Row(u"emer_number_2nd", Family::Unit, u"", Any()),
        Row(u"emer_reminder_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_repeat_time", Family::Unit, u"10", Num(0, 255)),
        Row(u"repeatc_tx_locator_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_auto_tx_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_rx_locator_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_auto_rx_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"repeatc_idle_time", Family::Unit, u"0", Num(0, 255)),
        Row(u"emer_type_notice", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_text", Family::Unit, u"", Width(18)),
        Row(u"emer_mand_text", Family::Unit, u"", Width(18)),
        Row(u"emer_lw_text", Family::Unit, u"", Width(18)),
        Row(u"emer_stationary_text", Family::Unit, u"", Width(18)),
        Row(u"emer_motion_text", Family::Unit, u"", Width(18)),
        Row(u"emer_rcv_rx_tone", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"emer_rcv_rx_tone_vol", Family::Unit, u"32", Num(0, 32)),
        Row(u"emer_rcv_rx_tone_vol_link", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"emer_rcv_rx_action", Family::Unit, u"beep+vib", OneOf(choice_lists::kCallActions)),
        Row(u"emer_mand_enabled", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_mand_moni_time", Family::Unit, u"10", Num(0, 255)),
        Row(u"emer_mand_warn_time", Family::Unit, u"10", Num(0, 255)),
        Row(u"emer_mand_angle", Family::Unit, u"45", Any()),
        Row(u"emer_mand_stationary", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_lw_enabled", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_lw_moni_time", Family::Unit, u"60", Num(1, 255)),
        Row(u"emer_lw_warn_time", Family::Unit, u"60", Num(1, 255)),
        Row(u"emer_lw_ptt_delay_time", Family::Unit, u"10", Num(0, 255)),
        Row(u"emer_lw_stationary", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_stationary", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_stationary_moni_time", Family::Unit, u"60", Num(0, 255)),
        Row(u"emer_stationary_warn_time", Family::Unit, u"60", Num(0, 255)),
        Row(u"emer_stationary_sensitivity", Family::Unit, u"2", Num(1, 10)),
        Row(u"emer_motion", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"emer_motion_moni_time", Family::Unit, u"10", Num(0, 255)),
        Row(u"emer_motion_warn_time", Family::Unit, u"10", Num(0, 255)),
        Row(u"emer_motion_sensitivity", Family::Unit, u"7", Num(1, 10)),
        Row(u"gps_switch", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"bluetooth", Family::Unit, u"off", Any()),
        Row(u"bt_autocon", Family::Unit, u"on", Any()),
        Row(u"bt_sco_link", Family::Unit, u"always", OneOf({u"always", u"auto"})),
        Row(u"ptt_mic_sw", Family::Unit, u"auto", OneOf({u"auto", u"radio", u"bt"})),
        Row(u"rec", Family::Unit, u"off", Any()),
        Row(u"rec_target", Family::Unit, u"indi", Any()),
        Row(u"opt_key_rec_play", Family::Unit, u"on", Any()),
        Row(u"use_emg", Family::Unit, u"on", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"emg_call_action", Family::Unit, u"beep+vib", Any(), {.rendered = false}),
        Row(u"emg_content", Family::Unit, u"sms", OneOf({u"sms", u"fixed"}), {.rendered = false}),
        // ID list, messages and status texts.
        Row(u"sel", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"id_list_top", Family::Unit, u"0", Num(0, 500), {.hook = Hook::IdListTop}),
        Row(u"all_call_disp", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"id_list_type", Family::Unit, u"tab", OneOf(choice_lists::kListDisplays)),
        Row(u"id_list_type_updown", Family::Unit, u"tab", OneOf(choice_lists::kListDisplays)),
        Row(u"updown_reverse", Family::Unit, u"normal", OneOf({u"normal", u"invert"})),
        Row(u"name", Family::IdEntry, u"00001", Width(32)),
        Row(u"id_type", Family::IdEntry, u"", OneOf({u"", u"indi", u"group", u"user_group", u"tel"})),
        Row(u"id", Family::IdEntry, u"00001", Num(1, 60000, kStoreU05)),
        Row(u"number", Family::IdEntry, u"", DialNumber()),
        Row(u"yomi", Family::IdEntry, u"", Length(32)),
        Row(u"id_select", Family::IdEntry, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"msg_tx", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"msg_top", Family::Unit, u"1", Num(1, 10)),
        Row(u"msg", Family::Message, u"", Width(32)),
        Row(u"stat_tx", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"stat", Family::Status, u"", Width(32)),
        Row(u"sw_presence", Family::Status, u"on", OneOf(choice_lists::kOffOn)),
        // Remote monitor, option keys, tones, line selection, display, audio range, access password.
        Row(u"rmon_req_rx", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"rmon_id_sw", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"rmon_id", Family::Unit, u"00001", Num(1, 60000, kStoreU05)),
        Row(u"rmon_req_tx", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"rmon_time", Family::Unit, u"60", OneOf({u"30", u"60", u"120", u"240"})),
        Row(u"opt_key", Family::Unit, u"none", OneOf(choice_lists::kOptionKeyFunctions)),
        Row(u"opt_key_onetouch_id_type", Family::Unit, u"all", Any()),
        Row(u"opt_key_onetouch_id", Family::Unit, u"00001", Num(1, 60000, kStoreU05)),
        Row(u"opt_key_onetouch_number", Family::Unit, u"", Any()),
        Row(u"opt_key_msg_idx", Family::Unit, u"1", Any()),
        Row(u"opt_key_rx_mute_auto_rel", Family::Unit, u"off", Any()),
        Row(u"opt_key_rx_mute_auto_time", Family::Unit, u"60", Num(10, 600, kStoreU)),
        Row(u"opt_key_onetouch_vol", Family::Unit, u"0", Any()),
        Row(u"opt_emer", Family::Unit, u"none", OneOf(choice_lists::kOptionKeyFunctions)),
        Row(u"opt_emer_onetouch_id_type", Family::Unit, u"all", Any()),
        Row(u"opt_emer_onetouch_id", Family::Unit, u"00001", Num(1, 60000, kStoreU05)),
        Row(u"opt_emer_onetouch_number", Family::Unit, u"", Any()),
        Row(u"opt_emer_msg_idx", Family::Unit, u"1", Any()),
        Row(u"sub_ptt_sel", Family::Unit, u"off", OneOf({u"off", u"ptt", u"ext"})),
        Row(u"sub_def_id_type", Family::Unit, u"all", OneOf(choice_lists::kCallTargets)),
        Row(u"sub_def_id", Family::Unit, u"00001", Num(1, 60000, kStoreU05)),
        Row(u"radio_tone_gain", Family::Unit, u"10", Num(0, 32, kStoreU)),
        Row(u"radio_tone_gain_link", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"key_tone", Family::Unit, u"tone1", OneOf(choice_lists::kToneOnOff)),
        Row(u"key_tone_gain", Family::Unit, u"10", Num(0, 32)),
        Row(u"key_tone_gain_link", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"sig_port", Family::Unit, u"30000", Num(1, 65535, kStoreU), {.rendered = false}),
        Row(u"serv_port", Family::Unit, u"30000", Num(1, 65535, kStoreU), {.rendered = false}),
        Row(u"serv_sub_port", Family::Unit, u"30000", Num(1, 65535, kStoreU), {.rendered = false}),
        Row(u"reg_time", Family::Unit, u"60", Num(30, 300), {.rendered = false}),
        Row(u"reg_retry_time", Family::Unit, u"10", Num(1, 30), {.rendered = false}),
        Row(u"reg_retry_cnt", Family::Unit, u"2", Num(1, 10), {.rendered = false}),
        Row(u"mode", Family::Unit, u"full", OneOf({u"half", u"full"})),
        Row(u"use_tos", Family::Unit, u"tos", OneOf({u"none", u"tos", u"diffserv"}), {.rendered = false}),
        Row(u"voice_tos", Family::Unit, u"E0", Any(), {.rendered = false}),
        Row(u"non_rtp", Family::Unit, u"on", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"codec_type", Family::Unit, u"g726+signal", OneOf({u"g711u+signal", u"g726+signal"}),
            {.rendered = false}),
        Row(u"g726_rate", Family::Unit, u"4", Num(2, 5), {.rendered = false}),
        Row(u"g711_size", Family::Unit, u"20", Num(20, 80), {.rendered = false}),
        Row(u"g726_size", Family::Unit, u"40", Num(20, 80), {.rendered = false}),
        Row(u"active_line", Family::Unit, u"lte_only", Any()),
        Row(u"lte_down_thresh", Family::Unit, u"-18", Any()),
        Row(u"lte_up_thresh", Family::Unit, u"-17", Any()),
        Row(u"wlan_down_thresh", Family::Unit, u"-80", Any()),
        Row(u"wlan_up_thresh", Family::Unit, u"-75", Any()),
        Row(u"monitor_time", Family::Unit, u"3", Any()),
        Row(u"bg_interval_sw", Family::Unit, u"on", Any()),
        Row(u"bg_interval", Family::Unit, u"180", Num(60, 3600, kNotEmpty)),
        Row(u"no_service_tone", Family::Unit, u"none", OneOf(choice_lists::kToneOnOff)),
        Row(u"ear_sidetone_mute", Family::Unit, u"off", Any()),
        Row(u"startup_comment", Family::Unit, u"", Length(18)),
        Row(u"disp_item", Family::Unit, u"date", OneOf({u"date", u"name"})),
        Row(u"use_sntp", Family::Unit, u"off", Any(), {.rendered = false}),
        Row(u"utc_offset", Family::Unit, u"0", Any(), {.rendered = false}),
        Row(u"daylight_save", Family::Unit, u"off", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"disp_name", Family::Unit, u"", Width(31)),
        Row(u"lcd_dest_mode", Family::Unit, u"none", OneOf({u"none", u"tx", u"txrx", u"all"})),
        Row(u"keylock_release_vol_act", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"sw_history", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"talkgrp_sel", Family::Unit, u"func", OneOf({u"func", u"idlist"})),
        Row(u"disp_active_line", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"icon_gps", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"disp_silent_mode", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"disp_clock", Family::Unit, u"on", OneOf(choice_lists::kOffOn)),
        Row(u"backlight", Family::Unit, u"key", OneOf({u"off", u"on", u"key"})),
        Row(u"brightness", Family::Unit, u"light", OneOf({u"dark", u"light"})),
        Row(u"contrast", Family::Unit, u"8", Num(1, 16)),
        Row(u"disp_set_chg", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"simsel", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"disp_bt_ot_ptt", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"bt_mic_gain", Family::Unit, u"10", Num(1, 20, kExactZeroOk)),
        Row(u"bt_af_gain_offset", Family::Unit, u"15", Num(0, 22)),
        Row(u"audio_af_min", Family::Unit, u"0", Num(0, 32), {.hook = Hook::AudioAfMin}),
        Row(u"audio_af_max", Family::Unit, u"32", Num(0, 32), {.hook = Hook::AudioAfMax}),
        Row(u"ext_afout", Family::Unit, u"off", OneOf(choice_lists::kOffOn)),
        Row(u"access_pass", Family::Bare, u"", Length(16), {.secretCapacity = 16}),
        // Setting-mode permissions (two flags, 2 x high + low) and service modes.
        Row(u"setmode_reset", Family::Unit, u"2", Any()),
        Row(u"setcom_his_del", Family::Unit, u"3", Any()),
        Row(u"setcom_firmup", Family::Unit, u"2", Any()),
        Row(u"setlte_connect", Family::Unit, u"2", Any()),
        Row(u"setlte_fail", Family::Unit, u"2", Any()),
        Row(u"setlte_tx_stbeep_ind", Family::Unit, u"2", Any()),
        Row(u"setlte_tx_stbeep_grp", Family::Unit, u"2", Any()),
        Row(u"setlte_tx_stbeep_all", Family::Unit, u"2", Any()),
        Row(u"setlte_tx_stbeep_tel", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_enbeep_ind", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_enbeep_grp", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_enbeep_all", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_enbeep_tel", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_beep_ind", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_beep_grp", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_beep_all", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_beep_tel", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_beep_msg", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_ind", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_grp", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_all", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_tel", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_ct_ind", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_ct_grp", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_ct_all", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_ct_tel", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_call_ct_msg", Family::Unit, u"2", Any()),
        Row(u"setlte_rx_act", Family::Unit, u"3", Any()),
        Row(u"setcom_rxbeep_vol", Family::Unit, u"3", Any()),
        Row(u"setcom_rxbeep_vol_link", Family::Unit, u"3", Any()),
        Row(u"setcom_txbeep_vol", Family::Unit, u"3", Any()),
        Row(u"setcom_txbeep_vol_link", Family::Unit, u"3", Any()),
        Row(u"setlte_no_comm_beep", Family::Unit, u"2", Any()),
        Row(u"setlte_no_comm_stone_stop", Family::Unit, u"2", Any()),
        Row(u"setlte_stone", Family::Unit, u"2", Any()),
        Row(u"setlte_stone_vol", Family::Unit, u"2", Any()),
        Row(u"setcom_vox", Family::Unit, u"2", Any()),
        Row(u"setcom_vox_thresh", Family::Unit, u"2", Any()),
        Row(u"setcom_mandown", Family::Unit, u"2", Any()),
        Row(u"setcom_loneworker", Family::Unit, u"2", Any()),
        Row(u"setcom_stan_detect", Family::Unit, u"2", Any()),
        Row(u"setcom_act_detect", Family::Unit, u"2", Any()),
        Row(u"setlte_echo_cancel", Family::Unit, u"2", Any()),
        Row(u"setcom_noise_cancel", Family::Unit, u"2", Any()),
        Row(u"setcom_backlight", Family::Unit, u"2", Any()),
        Row(u"setcom_brightness", Family::Unit, u"2", Any()),
        Row(u"setcom_contrast", Family::Unit, u"3", Any()),
        Row(u"setcom_int_mic_gain", Family::Unit, u"3", Any()),
        Row(u"setcom_ext_mic_gain", Family::Unit, u"3", Any()),
        Row(u"setcom_key_beep", Family::Unit, u"2", Any()),
        Row(u"setcom_key_beep_level", Family::Unit, u"2", Any()),
        Row(u"setcom_key_beep_linked", Family::Unit, u"2", Any()),
        Row(u"setlte_jitter_buf", Family::Unit, u"2", Any()),
        Row(u"setlte_tx_inh", Family::Unit, u"2", Any()),
        Row(u"setcom_ope_inh", Family::Unit, u"2", Any()),
        Row(u"setcom_ptt_lock", Family::Unit, u"2", Any()),
        Row(u"setlte_wait_call", Family::Unit, u"2", Any()),
        Row(u"setcom_onetouch_ptt", Family::Unit, u"2", Any()),
        Row(u"setlte_disp_sw", Family::Unit, u"2", Any()),
        Row(u"setcom_gps_switch", Family::Unit, u"0", Any()),
        Row(u"setcom_bt", Family::Unit, u"3", Any()),
        Row(u"setcom_bt_ver", Family::Unit, u"2", Any()),
        Row(u"setcom_disp_active_line", Family::Unit, u"2", Any()),
        Row(u"setcom_active_line", Family::Unit, u"3", Any()),
        Row(u"setcom_record", Family::Unit, u"3", Any()),
        Row(u"setcom_rec_target", Family::Unit, u"3", Any()),
        Row(u"setcom_rec_del", Family::Unit, u"3", Any()),
        Row(u"setcom_s_ptt_push", Family::Unit, u"2", Any()),
        Row(u"setcom_emer_push", Family::Unit, u"2", Any()),
        Row(u"setcom_keylock_vol_act", Family::Unit, u"3", Any()),
        Row(u"setcom_afmin_level", Family::Unit, u"2", Any()),
        Row(u"setcom_afmax_level", Family::Unit, u"2", Any()),
        Row(u"setcom_disp_silent_mode", Family::Unit, u"3", Any()),
        Row(u"setcom_disp_set_chg", Family::Unit, u"3", Any()),
        Row(u"setlte_disp_sim_sw", Family::Unit, u"2", Any()),
        Row(u"setlte_sim_sw", Family::Unit, u"3", Any()),
        Row(u"setlte_lte_ver", Family::Unit, u"2", Any()),
        Row(u"setlte_imei", Family::Unit, u"3", Any()),
        Row(u"setlte_tel_no", Family::Unit, u"3", Any()),
        Row(u"setlte_iccid", Family::Unit, u"3", Any()),
        Row(u"prov_pass", Family::Unit, u"vokel", Any(), {.rendered = false}),
        Row(u"firm_auto_update", Family::Unit, u"auto", OneOf({u"off", u"semi", u"auto"}),
            {.rendered = false}),
        Row(u"firm_addr_fqdn", Family::Unit, u"", Any(), {.rendered = false}),
        Row(u"firm_addr_port", Family::Unit, u"", Num(1, 65535, kEmptyOk | kStoreU), {.rendered = false}),
        Row(u"syslog_host", Family::Unit, u"", Any(), {.rendered = false}),
        Row(u"syslog_pri_debug", Family::Unit, u"off", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"syslog_pri_info", Family::Unit, u"off", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"syslog_pri_notice", Family::Unit, u"off", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"rmctrl_port", Family::Unit, u"29000", Num(1, 65535, kStoreU), {.rendered = false}),
        Row(u"rmctrl_limit_restart", Family::Unit, u"on", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"rental", Family::Unit, u"off", OneOf(choice_lists::kOffOn), {.rendered = false}),
        Row(u"sp_mode", Family::Unit, u"off", OneOf({u"off", u"jr"})),
        Row(u"dbg_mode", Family::Unit, u"0x00", OneOf({u"0x00", u"0x01", u"0x7F"})),
        // WLAN unit settings, profiles and client certificate slots.
        Row(u"wlan_scan", Family::Unit, u"11g_w52w53w56", Any()),
        Row(u"wlan_power", Family::Unit, u"high", Any()),
        Row(u"wlan_ch", Family::Unit, u"auto_1", Any()),
        Row(u"wlan_ch_custom", Family::Unit, u"", Any()),
        Row(u"wlan_roam_rssi", Family::Unit, u"75", Any()),
        Row(u"wlan_dhcp", Family::Profile, u"on", Any()),
        Row(u"wlan_ipaddr", Family::Profile, u"", Ipv4()),
        Row(u"wlan_subnet", Family::Profile, u"", Ipv4()),
        Row(u"wlan_def_gw", Family::Profile, u"", Ipv4()),
        Row(u"wlan_dns1", Family::Profile, u"", Ipv4()),
        Row(u"wlan_dns2", Family::Profile, u"", Ipv4()),
        Row(u"wlan_ssid", Family::Profile, u"", Any(), {.hook = Hook::WlanSsid}),
        Row(u"wlan_sec", Family::Profile, u"open", Any(), {.hook = Hook::WlanSec}),
        Row(u"wlan_enc", Family::Profile, u"none", Any(), {.hook = Hook::WlanEnc}),
        Row(u"wlan_key", Family::Profile, u"", Any(), {.hook = Hook::WepKey, .secretCapacity = 64}),
        Row(u"wlan_psk", Family::Profile, u"", Any(), {.hook = Hook::PreSharedKey, .secretCapacity = 64}),
        Row(u"eap_type", Family::Profile, u"peap_mschapv2",
            OneOf({u"peap_mschapv2", u"ttls_mschapv2", u"tls"})),
        Row(u"eap_identity", Family::Profile, u"", Any()),
        Row(u"eap_passwd", Family::Profile, u"", Any(), {.secretCapacity = 63}),
        Row(u"eap_outer_identity", Family::Profile, u"", Any()),
        Row(u"eap_cert_cert_idx", Family::Profile, u"1", Num(0, 4)),
        Row(u"eap_cert_format", Family::CertSlot, u"p12", OneOf({u"p12", u"pem"})),
        Row(u"eap_cert_name", Family::CertSlot, u"", Any()),
        Row(u"eap_cert_cert", Family::CertSlot, u"", Any(), {.secretCapacity = kSecretOwnLength}),
        Row(u"eap_cert_passwd", Family::CertSlot, u"", Any(), {.secretCapacity = 63}),
    };
    uint32_t slot = 0;
    for (auto& d : rows) {
        d.slot = slot;
        slot += FamilyCount(d.family);
    }
    return rows;
}

}  // namespace

unsigned FamilyCount(Family f) {
    switch (f) {
        case Family::IdEntry:
            return kIdEntries;
        case Family::Message:
            return kMessages;
        case Family::Status:
            return kStatuses;
        case Family::Profile:
            return kProfiles;
        case Family::CertSlot:
            return kCertSlots;
        default:
            return 1;
    }
}

const std::vector<SettingDef>& SettingsCatalogue() {
    static const std::vector<SettingDef> catalogue = BuildCatalogue();
    return catalogue;
}

uint32_t CatalogueSlotCount() {
    static const uint32_t count = [] {
        const auto& c = SettingsCatalogue();
        return c.back().slot + FamilyCount(c.back().family);
    }();
    return count;
}

static std::u16string BuildKey(SettingId id);

namespace {

struct U16Hash {
    size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
};

const std::unordered_map<std::u16string_view, uint16_t, U16Hash>& NameIndex() {
    static const auto index = [] {
        std::unordered_map<std::u16string_view, uint16_t, U16Hash> m;
        const auto& c = SettingsCatalogue();
        for (size_t i = 0; i < c.size(); ++i) {
            m.emplace(c[i].name, static_cast<uint16_t>(i));
        }
        return m;
    }();
    return index;
}

const std::unordered_map<std::u16string, SettingId>& KeyIndex() {
    static const auto index = [] {
        std::unordered_map<std::u16string, SettingId> m;
        const auto& c = SettingsCatalogue();
        for (size_t i = 0; i < c.size(); ++i) {
            for (unsigned k = 0; k < FamilyCount(c[i].family); ++k) {
                SettingId id{static_cast<uint16_t>(i), static_cast<uint16_t>(k)};
                m.emplace(BuildKey(id), id);
            }
        }
        return m;
    }();
    return index;
}

std::u16string Ascii(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

std::u16string Index2(unsigned n) {
    // "%02u": at least two digits, more when needed (entry 500 is "500").
    std::string s = std::to_string(n);
    if (s.size() < 2) {
        s.insert(0, 1, '0');
    }
    return Ascii(s);
}

}  // namespace

std::optional<uint16_t> FindSettingDef(std::u16string_view name) {
    const auto& idx = NameIndex();
    auto it = idx.find(name);
    if (it == idx.end()) {
        return std::nullopt;
    }
    return it->second;
}

std::optional<SettingId> FindSettingByKey(std::u16string_view key) {
    const auto& idx = KeyIndex();
    auto it = idx.find(std::u16string(key));
    if (it == idx.end()) {
        return std::nullopt;
    }
    return it->second;
}

const std::u16string& SettingKeyRef(SettingId id) {
    // Every key is built once: rendering and loading look up thousands of them each time.
    static const std::vector<std::u16string> keys = [] {
        std::vector<std::u16string> k;
        const auto& c = SettingsCatalogue();
        k.reserve(CatalogueSlotCount());
        for (size_t i = 0; i < c.size(); ++i) {
            for (unsigned m = 0; m < FamilyCount(c[i].family); ++m) {
                k.push_back(BuildKey(SettingId{static_cast<uint16_t>(i), static_cast<uint16_t>(m)}));
            }
        }
        return k;
    }();
    const auto& c = SettingsCatalogue();
    if (id.def >= c.size() || id.index >= FamilyCount(c[id.def].family)) {
        throw std::out_of_range("setting index out of range");
    }
    return keys[c[id.def].slot + id.index];
}

std::u16string SettingKey(SettingId id) {
    return SettingKeyRef(id);
}

static std::u16string BuildKey(SettingId id) {
    const SettingDef& d = SettingsCatalogue().at(id.def);
    std::u16string key(d.name);
    switch (d.family) {
        case Family::Info:
        case Family::Bare:
            break;
        case Family::Unit:
            key += u"_01";
            break;
        case Family::IdEntry:
        case Family::Message:
        case Family::Status:
            key += u"_01_";
            key += Index2(id.index + 1u);
            break;
        case Family::Profile:
        case Family::CertSlot:
            key += u"_";
            key += Index2(id.index + 1u);
            break;
    }
    return key;
}
