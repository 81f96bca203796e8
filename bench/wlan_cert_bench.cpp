// Refresh of the 197-row WLAN page and the certificate page after a load of the largest
// configuration, with the paint that shows it.
#include <benchmark/benchmark.h>

#include "document/talvero_doc.h"
#include "gui/pages/list_view_cert.h"
#include "gui/pages/list_view_wlan.h"
#include "page_bench_support.h"

namespace {

// Every other profile on 802.1X, so that the page fills its 802.1X rows as well as its keys.
void MixSecurities(CTalveroDoc& doc) {
    for (unsigned p = 1; p < 10; p += 2) {
        doc.Set(u"wlan_sec", p, u"wpa2");
    }
    doc.Set(u"wlan_ch", u"custom");
    doc.Set(u"wlan_ch_custom", u"1,6,11");
}

void BM_WlanPageRefresh(benchmark::State& state) {
    RefreshAndPaintPage<CListViewWlan>(state, QSize(1366, 768), MixSecurities);
}
BENCHMARK(BM_WlanPageRefresh)->Unit(benchmark::kMillisecond);

void BM_CertPageRefresh(benchmark::State& state) {
    RefreshAndPaintPage<CListViewCert>(state, QSize(1366, 768));
}
BENCHMARK(BM_CertPageRefresh)->Unit(benchmark::kMillisecond);

}  // namespace
