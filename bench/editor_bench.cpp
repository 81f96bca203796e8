// Page refresh costs after a load of the largest configuration, headless: the 500-entry ID list
// as a table page and a declared two-column page, each refreshed from the document and painted.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "document/talvero_doc.h"
#include "gui/editor/list_view_base.h"
#include "largest_config.h"
#include "page_bench_support.h"

namespace {

constexpr int kEntries = 500;
constexpr int kFirstEntryRow = 2;

// The ID list's shape: a section, a heading row and one row per entry with five value columns.
class IdListShapedPage : public CListViewBase {
  public:
    IdListShapedPage(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
        InsertPageColumns("ID list", {60, 110, 90, 220, 160, 80});
        for (int row = 0; row < kFirstEntryRow + kEntries; ++row) {
            InsertItem(row, QString());
        }
        AddSectionRow(0, 6, "Entries");
        for (int column = 0; column < 6; ++column) {
            AddLabelCell(1, column, QString("Heading %1").arg(column));
        }
        for (const char16_t* value : {u"", u"indi", u"group", u"user_group", u"tel"}) {
            AddValueText(QString::fromStdU16String(value), QString::fromStdU16String(value) + " call",
                         "type");
        }
        for (int entry = 0; entry < kEntries; ++entry) {
            const int row = kFirstEntryRow + entry;
            AddLabelCell(row, 0, QString::number(entry + 1));
            for (int column = 1; column < 6; ++column) {
                SetInputCell(row, column, 1, 0, 0xFFFFFF, 0x808080, 0x808080, 0xE8E8E8, 0x808080);
            }
        }
    }

    void RefreshFromDocument() override {
        const CTalveroDoc& doc = Doc();
        for (int entry = 0; entry < kEntries; ++entry) {
            const int row = kFirstEntryRow + entry;
            const auto index = static_cast<unsigned>(entry);
            const QString type = QString::fromStdU16String(doc.Get(u"id_type", index));
            SetItemText(row, 1, ValueToText(type, "type"));
            ShowInputCell(row, 2, !type.isEmpty(), QString::fromStdU16String(doc.Get(u"id", index)));
            ShowInputCell(row, 3, !type.isEmpty(), QString::fromStdU16String(doc.Get(u"name", index)));
            ShowInputCell(row, 4, !type.isEmpty(), QString::fromStdU16String(doc.Get(u"yomi", index)));
            ShowInputCell(row, 5, !type.isEmpty(), QString::fromStdU16String(doc.Get(u"id_select", index)));
        }
    }
};

class DeclaredPage : public CListViewBase {
  public:
    DeclaredPage(QWidget* parent, const PageContext& context) : CListViewBase(parent, context) {
        std::vector<PageRow> rows;
        for (int block = 0; block < 6; ++block) {
            rows.push_back(SectionRow(1));
            rows.push_back(
                ChoiceRow(2, u"def_id_type", "def_id_type.htm", {{u"all", 3}, {u"group", 4}, {u"indi", 5}}));
            PageRow id = TextRow(6, u"def_id", "def_id.htm", 3030);
            id.enabledWhen = [](const CTalveroDoc& doc, int) { return doc.Get(u"def_id_type") != u"all"; };
            rows.push_back(id);
            rows.push_back(TextRow(7, u"vox_delay", "vox_delay.htm", 3030));
            rows.push_back(TextRow(8, u"jitter_size", "jitter_size.htm", 3030));
        }
        DeclareRows(9, std::move(rows));
    }
};

void BM_IdListTableRefresh(benchmark::State& state) {
    RefreshAndPaintPage<IdListShapedPage>(state, QSize(900, 700));
}
BENCHMARK(BM_IdListTableRefresh)->Unit(benchmark::kMillisecond);

void BM_DeclaredPageRefresh(benchmark::State& state) {
    RefreshAndPaintPage<DeclaredPage>(state, QSize(900, 700));
}
BENCHMARK(BM_DeclaredPageRefresh)->Unit(benchmark::kMillisecond);

// Building the 500-entry page once, as the frame does at start-up, then its first fill.
void BM_IdListTableCreateAndFill(benchmark::State& state) {
    BenchApp();
    CTalveroDoc doc;
    FillLargestConfiguration(doc);
    PageContext context;
    context.document = &doc;
    for (auto _ : state) {
        IdListShapedPage page(nullptr, context);
        page.SetupHeader();
        page.resize(900, 700);
        page.RefreshFromDocument();
        page.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_IdListTableCreateAndFill)->Unit(benchmark::kMillisecond);

}  // namespace
