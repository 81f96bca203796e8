// Refresh of each ID list, message and status page after a load of the largest configuration,
// with the paint that shows it; and building the ID list page with its first fill.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "document/talvero_doc.h"
#include "editor/pages/list_view_address_book_list.h"
#include "editor/pages/list_view_address_book_setting.h"
#include "editor/pages/list_view_msg_list.h"
#include "editor/pages/list_view_msg_setting.h"
#include "editor/pages/list_view_presence_list.h"
#include "editor/pages/list_view_presence_setting.h"
#include "largest_config.h"

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "pages_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

template <class Page>
void RefreshAndPaint(benchmark::State& state) {
    App();
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    doc.Set(u"sel", u"on");
    doc.Set(u"msg_tx", u"on");
    PageContext context;
    context.document = &doc;
    Page page(nullptr, context);
    page.SetSetIndex(0);
    page.SetupHeader();
    page.resize(1400, 800);
    page.show();
    QApplication::processEvents();  // exposed, so repaint() really paints
    for (auto _ : state) {
        page.RefreshFromDocument();
        page.viewport()->repaint();
    }
}

BENCHMARK(RefreshAndPaint<CListViewAddressBookList>)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshAndPaint<CListViewAddressBookSetting>)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshAndPaint<CListViewMsgSetting>)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshAndPaint<CListViewMsgList>)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshAndPaint<CListViewPresenceSetting>)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshAndPaint<CListViewPresenceList>)->Unit(benchmark::kMillisecond);

// The ID list page built, filled from a full list and shown, as on opening it.
void BM_IdListPageCreateAndFill(benchmark::State& state) {
    App();
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
