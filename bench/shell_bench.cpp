// Start-up costs of the program, headless: the English language file, and the main frame from
// construction to its first paint with every registered page created.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>

#include "document/talvero_doc.h"
#include "gui/shell/main_frame.h"
#include "platform/program_path.h"
#include "text/language_file.h"
#include "text/language_texts.h"

namespace {

const std::string kProgram = std::string(TALVERO_BIN_DIR) + "/talvero";

QApplication& App() {
    static int argc = 1;
    static char name[] = "shell_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

class PaintWatch : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(o, e);
    }
};

// Stands in for a settings page until the real ones exist: a grid of 30 rows in two columns.
class StandInPage : public QWidget, public ISettingsPage {
  public:
    StandInPage(QWidget* parent, const PageContext&) : QWidget(parent), m_grid(new QTreeWidget(this)) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_grid);
        m_grid->setColumnCount(2);
        for (int row = 0; row < 30; ++row) {
            new QTreeWidgetItem(m_grid, {QString("Setting %1").arg(row), QString("value")});
        }
    }
    QWidget* PageWidget() override { return this; }
    void SetSetIndex(int) override {}
    void SetupHeader() override {}
    void RefreshFromDocument() override {}
    QString CurrentHelpAddress() const override { return {}; }

  private:
    QTreeWidget* m_grid;
};

void BM_LoadEnglishLanguageFile(benchmark::State& state) {
    for (auto _ : state) {
        ClearLanguageTexts();
        if (LoadLanguageFile(LanguageFilePath(kProgram, 0x0409), nullptr) != 0) {
            state.SkipWithError("the English language file is missing");
            break;
        }
    }
    state.counters["texts"] = static_cast<double>(g_languageTexts.size());
}
BENCHMARK(BM_LoadEnglishLanguageFile)->Unit(benchmark::kMicrosecond);

// Argument 0: the pages registered in this build; 1: every page node filled with a stand-in.
void BM_MainFrameToFirstPaint(benchmark::State& state) {
    App();
    const bool standIns = state.range(0) == 1;
    if (standIns) {
        for (uint32_t node = 1003; node <= 1038; ++node) {
            if (!FindPageFactory(node)) {
                RegisterPageFactory(node, [](QWidget* parent, const PageContext& context) -> ISettingsPage* {
                    return new StandInPage(parent, context);
                });
            }
        }
    }
    SetProgramFilePath(kProgram);
    ClearLanguageTexts();
    LoadLanguageFile(LanguageFilePath(kProgram, 0x0409), nullptr);
    for (auto _ : state) {
        CTalveroDoc document;
        auto frame = std::make_unique<CMainFrame>(&document);
        PaintWatch watch;
        frame->installEventFilter(&watch);
        if (!frame->Create()) {
            state.SkipWithError("frame creation failed");
            break;
        }
        document.OnNewDocument();
        document.UpdateAllViews(0);
        frame->resize(900, 640);
        frame->show();
        while (!watch.painted) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        state.PauseTiming();
        frame.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["pages"] = 0;
    for (uint32_t node = 1003; node <= 1038; ++node) {
        state.counters["pages"] += FindPageFactory(node) ? 1 : 0;
    }
}
BENCHMARK(BM_MainFrameToFirstPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
