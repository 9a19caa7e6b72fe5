// A ClipData-sized sheet: 100 000 rows of ten columns, one a sample name, the others assays.
#include "platform/Sheet.h"
#include "platform/Workbook.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr int kRows = 100000;
constexpr int kColumns = 10;

Sheet assaySheet() {
    Sheet sheet;
    std::mt19937_64 random(7);
    std::lognormal_distribution<double> grade(0.0, 1.5);
    for (int row = 1; row <= kRows; ++row) {
        sheet.setText(row, 1, QStringLiteral("DH%1-%2").arg(random() % 500).arg(row));
        for (int column = 2; column <= kColumns; ++column) {
            sheet.setNumber(row, column, grade(random));
        }
    }
    return sheet;
}

void BM_SheetFill(benchmark::State& state) {
    for (auto _ : state) {
        Sheet sheet = assaySheet();
        benchmark::DoNotOptimize(sheet.lastRow());
    }
    state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}
BENCHMARK(BM_SheetFill)->Unit(benchmark::kMillisecond);

void BM_SheetSortByNumber(benchmark::State& state) {
    const Sheet filled = assaySheet();
    for (auto _ : state) {
        state.PauseTiming();
        Sheet sheet = filled;
        state.ResumeTiming();
        sheet.sort(1, 1, kRows, kColumns, {{3, true}});
        benchmark::DoNotOptimize(sheet.text(1, 1));
    }
}
BENCHMARK(BM_SheetSortByNumber)->Unit(benchmark::kMillisecond);

void BM_SheetSortByText(benchmark::State& state) {
    const Sheet filled = assaySheet();
    for (auto _ : state) {
        state.PauseTiming();
        Sheet sheet = filled;
        state.ResumeTiming();
        sheet.sort(1, 1, kRows, kColumns, {{1, false}, {2, true}});
        benchmark::DoNotOptimize(sheet.text(1, 1));
    }
}
BENCHMARK(BM_SheetSortByText)->Unit(benchmark::kMillisecond);

void BM_WorkbookSave(benchmark::State& state) {
    QTemporaryDir dir;
    Workbook book;
    book.sheet(QStringLiteral("ClipData")) = assaySheet();
    const QString path = dir.filePath(QStringLiteral("clip.vts"));
    for (auto _ : state) {
        if (!book.save(path).ok) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(BM_WorkbookSave)->Unit(benchmark::kMillisecond);

void BM_WorkbookLoad(benchmark::State& state) {
    QTemporaryDir dir;
    Workbook book;
    book.sheet(QStringLiteral("ClipData")) = assaySheet();
    const QString path = dir.filePath(QStringLiteral("clip.vts"));
    if (!book.save(path).ok) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        const auto loaded = Workbook::load(path);
        if (!loaded.ok()) {
            state.SkipWithError("load failed");
        }
        benchmark::DoNotOptimize(loaded.workbook);
    }
}
BENCHMARK(BM_WorkbookLoad)->Unit(benchmark::kMillisecond);

void BM_SheetToTsv(benchmark::State& state) {
    const Sheet sheet = assaySheet();
    for (auto _ : state) {
        const QString tsv = sheet.toTsv();
        benchmark::DoNotOptimize(tsv.size());
    }
}
BENCHMARK(BM_SheetToTsv)->Unit(benchmark::kMillisecond);
} // namespace
