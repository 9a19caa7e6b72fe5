// Classing a million fetched rows, as a draw does after the query: into twenty text classes
// (option 0), into value ranges of a numeric classifier (option 2), and building the series.
// The target is below 100 ms for the twenty classes.
#include "figure/Classifier.h"
#include "figure/SeriesBuilder.h"
#include "platform/RowSet.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr int kRows = 1000000;
constexpr int kClasses = 20;

// Columns X, Y, Rock (one of twenty names, in random order), Depth (a number).
const RowSet& fetchedRows() {
    static const RowSet rows = [] {
        RowSet r(QStringList{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Rock"),
                             QStringLiteral("Depth")});
        std::mt19937_64 random(5);
        std::lognormal_distribution<double> grade(2.0, 1.0);
        std::uniform_int_distribution<int> rock(0, kClasses - 1);
        std::uniform_real_distribution<double> depth(0, 850);
        QStringList names;
        for (int c = 0; c < kClasses; ++c) {
            names << QStringLiteral("Rock type %1").arg(c);
        }
        for (int i = 0; i < kRows; ++i) {
            r.appendRow({CellValue::number(grade(random)), CellValue::number(grade(random)),
                         CellValue::text(names[rock(random)]),
                         CellValue::number(std::round(depth(random) * 10) / 10)});
        }
        return r;
    }();
    return rows;
}

void BM_ClassifyMillionRowsIntoTwentyClasses(benchmark::State& state) {
    const RowSet& rows = fetchedRows();
    for (auto _ : state) {
        Classification c = Classifier::classify(rows, 2, {ClassifyMode::AsText, false, false});
        if (c.classes.size() != kClasses) {
            state.SkipWithError("wrong class count");
        }
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ClassifyMillionRowsIntoTwentyClasses)->Unit(benchmark::kMillisecond);

void BM_ClassifyMillionDepthsIntoRanges(benchmark::State& state) {
    const RowSet& rows = fetchedRows();
    for (auto _ : state) {
        Classification c =
            Classifier::classify(rows, 3, {ClassifyMode::NumberRanges, false, false});
        benchmark::DoNotOptimize(c);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ClassifyMillionDepthsIntoRanges)->Unit(benchmark::kMillisecond);

void BM_BuildSeriesOfMillionRows(benchmark::State& state) {
    const RowSet& rows = fetchedRows();
    const Classification classes =
        Classifier::classify(rows, 2, {ClassifyMode::AsText, false, false});
    for (auto _ : state) {
        SeriesBuilder::Result r = SeriesBuilder::build(rows, {0, 1, -1, -1}, classes);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_BuildSeriesOfMillionRows)->Unit(benchmark::kMillisecond);

} // namespace
