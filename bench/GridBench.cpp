// Opening a million-row table in the grid: counting it and reading the first screen; a freshly
// opened grid jumping straight to its last screen; and pages deep down the table as scrolling
// reaches them (the page before already read), each beside the first page: by key (target:
// within 1.2 times the first page) and, for comparison, by offset as statements without a key
// are read.
#include "CpuClock.h"
#include "grid/GridModel.h"
#include "grid/GridRowSource.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int kRows = 1000000;

struct MillionRows {
    QTemporaryDir dir;
    std::unique_ptr<Connection> db;

    MillionRows() {
        db = SqliteConnection::open(dir.filePath(QStringLiteral("grid.sqlite")),
                                    SqliteConnection::Mode::ReadWriteCreate)
                 .connection;
        db->execute(QStringLiteral("CREATE TABLE [Samples] ([SampleNo] TEXT(12) CONSTRAINT [pk] "
                                   "PRIMARY KEY, [Rock] TEXT(20), [SiO2] DOUBLE, [Au] DOUBLE)"));
        TransactionScope t(*db);
        auto insert = db->prepare(QStringLiteral("INSERT INTO [Samples] VALUES (?, ?, ?, ?)"));
        for (int i = 0; i < kRows; ++i)
            insert->execute(
                {CellValue::text(QStringLiteral("S%1").arg(i, 7, 10, QLatin1Char('0'))),
                 CellValue::text(i % 2 ? QStringLiteral("Granite") : QStringLiteral("Basalt")),
                 CellValue::number(45 + i % 30), CellValue::number(i * 0.001)});
        t.commit();
    }
};

MillionRows& table() {
    static MillionRows t;
    return t;
}

void BM_GridFirstScreen(benchmark::State& state) {
    Connection& db = *table().db;
    for (auto _ : state) {
        GridModel model(std::make_unique<GridRowSource>(
            db, QStringLiteral("SELECT * FROM [Samples]"), QString(), QStringList{"SampleNo"}));
        model.reload();
        for (int r = 0; r < 40; ++r)
            benchmark::DoNotOptimize(model.data(model.index(r, 2)));
    }
}
BENCHMARK(BM_GridFirstScreen)->Unit(benchmark::kMillisecond);

void BM_GridScreenNearTheEnd(benchmark::State& state) {
    Connection& db = *table().db;
    for (auto _ : state) {
        GridModel model(std::make_unique<GridRowSource>(
            db, QStringLiteral("SELECT * FROM [Samples]"), QString(), QStringList{"SampleNo"}));
        model.reload();
        for (int r = kRows - 40; r < kRows; ++r)
            benchmark::DoNotOptimize(model.data(model.index(r, 2)));
    }
}
BENCHMARK(BM_GridScreenNearTheEnd)->Unit(benchmark::kMillisecond);

void BM_GridDeepPagesBesideFirstPage(benchmark::State& state) {
    constexpr int page = GridModel::pageSize;
    const std::vector<qsizetype> depths = {0, 250000, 500000, 750000, kRows - page};
    const auto source = [](bool byKey) {
        auto s = std::make_unique<GridRowSource>(
            *table().db, QStringLiteral("SELECT * FROM [Samples]"), QString(),
            byKey ? QStringList{"SampleNo"} : QStringList());
        s->open();
        return s;
    };
    const auto byKey = source(true);
    const auto byOffset = source(false);
    for (const qsizetype depth : depths)
        if (depth > 0)
            byKey->rows(depth - page, page); // as scrolling down to it did
    std::vector<double> keyMs(depths.size()), offsetMs(depths.size());
    for (auto _ : state) {
        for (size_t i = 0; i < depths.size(); ++i) {
            double t = cpuMilliseconds();
            benchmark::DoNotOptimize(byKey->rows(depths[i], page));
            keyMs[i] += cpuMilliseconds() - t;
            t = cpuMilliseconds();
            benchmark::DoNotOptimize(byOffset->rows(depths[i], page));
            offsetMs[i] += cpuMilliseconds() - t;
        }
    }
    const double n = double(state.iterations());
    double worst = 0;
    for (size_t i = 0; i < depths.size(); ++i) {
        const QByteArray at = QByteArray::number(depths[i] / 1000) + "k";
        state.counters[("key_ms@" + at).toStdString()] = keyMs[i] / n;
        state.counters[("offset_ms@" + at).toStdString()] = offsetMs[i] / n;
        worst = std::max(worst, keyMs[i] / keyMs[0]);
    }
    state.counters["ratio"] = worst; // the deepest page read by key against the first
}
BENCHMARK(BM_GridDeepPagesBesideFirstPage)->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace
