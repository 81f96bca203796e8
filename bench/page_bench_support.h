#pragma once
// Shared pieces of the page benchmarks: a headless application, and a page refreshed from the
// largest configuration and painted, as after a load.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSize>
#include <memory>

#include "document/talvero_doc.h"
#include "gui/shell/page_registry.h"
#include "largest_config.h"

inline QApplication& BenchApp() {
    static int argc = 1;
    static char name[] = "talvero_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// `prepare` may change the document after the load (for example to enable dependent rows).
template <class Page>
void RefreshAndPaintPage(benchmark::State& state, QSize size, void (*prepare)(CTalveroDoc&) = nullptr) {
    BenchApp();
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    if (prepare) {
        prepare(doc);
    }
    PageContext context;
    context.document = &doc;
    Page page(nullptr, context);
    page.SetSetIndex(0);
    page.SetupHeader();
    page.resize(size);
    page.show();
    QApplication::processEvents();  // exposed, so repaint() really paints
    for (auto _ : state) {
        page.RefreshFromDocument();
        page.viewport()->repaint();
    }
}
