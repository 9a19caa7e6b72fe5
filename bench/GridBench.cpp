// Opening a million-row table in the grid: counting it and reading the first screen; and a
// freshly opened grid jumping straight to its last screen (the page read skips a million rows).
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
        GridModel model(
            std::make_unique<GridRowSource>(db, QStringLiteral("SELECT * FROM [Samples]")));
        model.reload();
        for (int r = 0; r < 40; ++r)
            benchmark::DoNotOptimize(model.data(model.index(r, 2)));
    }
}
BENCHMARK(BM_GridFirstScreen)->Unit(benchmark::kMillisecond);

void BM_GridScreenNearTheEnd(benchmark::State& state) {
    Connection& db = *table().db;
    for (auto _ : state) {
        GridModel model(
            std::make_unique<GridRowSource>(db, QStringLiteral("SELECT * FROM [Samples]")));
        model.reload();
        for (int r = kRows - 40; r < kRows; ++r)
            benchmark::DoNotOptimize(model.data(model.index(r, 2)));
    }
}
BENCHMARK(BM_GridScreenNearTheEnd)->Unit(benchmark::kMillisecond);
} // namespace
