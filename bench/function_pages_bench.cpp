// Refresh of each function, key, tone, volume and remote monitor page after a load of the
// largest configuration, with the paint that shows it.
#include <benchmark/benchmark.h>

#include "gui/pages/list_view_function_bluetooth.h"
#include "gui/pages/list_view_function_emergency.h"
#include "gui/pages/list_view_function_gps.h"
#include "gui/pages/list_view_function_record.h"
#include "gui/pages/list_view_option_key.h"
#include "gui/pages/list_view_remote_monitor.h"
#include "gui/pages/list_view_sub_function.h"
#include "gui/pages/list_view_tone_key.h"
#include "gui/pages/list_view_tone_radio.h"
#include "gui/pages/list_view_volume.h"
#include "page_bench_support.h"

namespace {

// Every switch on, so that the dependent rows are filled and painted.
void EnableDependentRows(CTalveroDoc& doc) {
    for (const char16_t* key :
         {u"emer_enabled", u"repeatc_enabled", u"emer_tx_tone", u"emer_id_type_sel", u"emer_type_notice",
          u"emer_rcv_rx_tone", u"emer_mand_enabled", u"emer_lw_enabled", u"emer_stationary", u"emer_motion",
          u"bluetooth", u"rec", u"rmon_req_rx", u"rmon_id_sw", u"rmon_req_tx"}) {
        doc.Set(key, u"on");
    }
    doc.Set(u"repeatc_cnt2", u"3");
    doc.Set(u"emer_id_type", u"indi");
    doc.Set(u"emer_id_type_2nd", u"tel");
    doc.Set(u"opt_key", u"msg");
    doc.Set(u"opt_emer", u"onetouch");
    doc.Set(u"opt_emer_onetouch_id_type", u"indi");
    doc.Set(u"sub_ptt_sel", u"ptt");
    doc.Set(u"sub_def_id_type", u"indi");
}

template <class Page>
void FunctionPageRefresh(benchmark::State& state) {
    RefreshAndPaintPage<Page>(state, QSize(900, 1700), EnableDependentRows);
}

BENCHMARK(FunctionPageRefresh<CListViewFunctionEmergency>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewFunctionGps>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewFunctionBluetooth>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewFunctionRecord>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewOptionKey>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewSubFunction>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewRemoteMonitor>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewToneRadio>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewToneKey>)->Unit(benchmark::kMillisecond);
BENCHMARK(FunctionPageRefresh<CListViewVolume>)->Unit(benchmark::kMillisecond);

}  // namespace
