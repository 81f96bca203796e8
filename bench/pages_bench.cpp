// Refresh of every registered settings page after a load of the largest configuration, with the
// paint that shows it (goal: under 5 ms a page); and building the ID list page with its first fill.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_view.h"
#include "gui/pages/list_view_address_book_list.h"
#include "largest_config.h"
#include "page_bench_support.h"
#include "pages/node_table.h"

namespace {

// The dependent rows enabled, so that every row is filled and painted.
void EnableDependentRows(CTalveroDoc& doc) {
    doc.Set(u"sel", u"on");
    doc.Set(u"msg_tx", u"on");
}

void RegisteredPageRefresh(benchmark::State& state, uint32_t node, int setIndex) {
    BenchApp();
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    EnableDependentRows(doc);
    PageContext context;
    context.document = &doc;
    std::unique_ptr<ISettingsPage> page((*FindPageFactory(node))(nullptr, context));
    QWidget* widget = page->PageWidget();
    auto* grid = qobject_cast<KGridListView*>(widget);
    page->SetSetIndex(setIndex);
    page->SetupHeader();
    widget->resize(1400, 800);
    widget->show();
    QApplication::processEvents();  // exposed, so repaint() really paints
    for (auto _ : state) {
        page->RefreshFromDocument();
        (grid ? grid->viewport() : widget)->repaint();
    }
}

// One benchmark per page the program registers, named after its node ("PageRefresh/1021"). Run
// from main: the pages register themselves from static initialisers, which must have run first.
void RegisterPageBenchmarks() {
    for (const NodeRow& row : NodeTable()) {
        const bool isPage = row.kind == NodeKind::Page || row.kind == NodeKind::InfoPage;
        if (!isPage || !FindPageFactory(row.nodeId)) {
            continue;
        }
        const uint32_t node = row.nodeId;
        const int setIndex = row.setIndex;
        benchmark::RegisterBenchmark(
            ("PageRefresh/" + std::to_string(node)).c_str(),
            [node, setIndex](benchmark::State& state) { RegisteredPageRefresh(state, node, setIndex); })
            ->Unit(benchmark::kMillisecond);
    }
}

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

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RegisterPageBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
