// Refresh of each ID list, message and status page after a load of the largest configuration,
// with the paint that shows it; and building the ID list page with its first fill.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "document/talvero_doc.h"
#include "gui/pages/list_view_address_book_list.h"
#include "gui/pages/list_view_address_book_setting.h"
#include "gui/pages/list_view_msg_list.h"
#include "gui/pages/list_view_msg_setting.h"
#include "gui/pages/list_view_presence_list.h"
#include "gui/pages/list_view_presence_setting.h"
#include "largest_config.h"
#include "page_bench_support.h"

namespace {

// The dependent rows enabled, so that every row is filled and painted.
void EnableDependentRows(CTalveroDoc& doc) {
    doc.Set(u"sel", u"on");
    doc.Set(u"msg_tx", u"on");
}

template <class Page>
void PageRefresh(benchmark::State& state) {
    RefreshAndPaintPage<Page>(state, QSize(1400, 800), EnableDependentRows);
}

BENCHMARK(PageRefresh<CListViewAddressBookList>)->Unit(benchmark::kMillisecond);
BENCHMARK(PageRefresh<CListViewAddressBookSetting>)->Unit(benchmark::kMillisecond);
BENCHMARK(PageRefresh<CListViewMsgSetting>)->Unit(benchmark::kMillisecond);
BENCHMARK(PageRefresh<CListViewMsgList>)->Unit(benchmark::kMillisecond);
BENCHMARK(PageRefresh<CListViewPresenceSetting>)->Unit(benchmark::kMillisecond);
BENCHMARK(PageRefresh<CListViewPresenceList>)->Unit(benchmark::kMillisecond);

// The ID list page built, filled from a full list and shown, as on opening it.
void BM_IdListPageCreateAndFill(benchmark::State& state) {
    BenchApp();
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    PageContext context;
    context.document = &doc;
    for (auto _ : state) {
        CListViewAddressBookList page(nullptr, context);
        page.SetupHeader();
        page.resize(1400, 800);
        page.RefreshFromDocument();
        page.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_IdListPageCreateAndFill)->Unit(benchmark::kMillisecond);

}  // namespace
