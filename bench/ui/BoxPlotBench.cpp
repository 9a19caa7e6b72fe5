// The box-and-whisker window's "&Draw" of 1M values in 30 classes, streamed from a SQLite
// table, with the figure rendered to an 800 x 600 picture (target: half a second of processor
// time). The counter share_of_target is the time as a share of that target.
#include "../BenchSession.h"
#include "../CpuClock.h"
#include "figure/ui/FigureExporter.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"
#include "stats/BoxPlotWindow.h"
#include "stats/BoxWhiskerSettings.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {
constexpr int kValues = 1000000;
constexpr int kClasses = 30;
constexpr double kTargetSeconds = 0.5;

// [Grades] ([Id], [Class], [Cu]): lognormal grades whose level differs by class. Empty on
// failure.
QString makeDatabase(const QTemporaryDir& dir) {
    const QString path = dir.filePath(QStringLiteral("grades.sqlite"));
    auto opened = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
    if (!opened.ok())
        return {};
    Connection& db = *opened.connection;
    if (!db.execute(
            QStringLiteral("CREATE TABLE [Grades] ([Id] LONG CONSTRAINT [pkGrades] PRIMARY KEY, "
                           "[Class] TEXT(10), [Cu] DOUBLE)")))
        return {};
    TransactionScope t(db);
    auto insert = db.prepare(QStringLiteral("INSERT INTO [Grades] VALUES (?, ?, ?)"));
    if (!insert)
        return {};
    std::mt19937_64 random(5);
    std::lognormal_distribution<double> grade(1.0, 0.9);
    for (int i = 0; i < kValues; ++i) {
        const int c = int(random() % kClasses);
        if (!insert->execute(
                {CellValue::number(i),
                 CellValue::text(QStringLiteral("Unit %1").arg(c, 2, 10, QLatin1Char('0'))),
                 CellValue::number(grade(random) * (1 + c % 7))}))
            return {};
    }
    insert.reset();
    return t.commit() ? path : QString();
}

void BM_BoxPlotOfMillionValuesDrawn(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = makeDatabase(dir);
    if (path.isEmpty()) {
        state.SkipWithError("the bench database was not written");
        return;
    }
    BenchSession bench;
    if (!bench.open(path, state))
        return;
    auto& [dialogs, status, session] = bench;
    BoxWhiskerSettings settings;
    BoxPlotWindow box(session, dialogs, status, settings);
    box.statTable = box.classTable = QStringLiteral("Grades");
    box.statField = QStringLiteral("Cu");
    box.classField = QStringLiteral("Class");
    double milliseconds = 0;
    for (auto _ : state) {
        const double start = cpuMilliseconds();
        if (!box.draw()) {
            state.SkipWithError(dialogs.texts().join(u'\n').toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(FigureExporter::image(box.figure(), {800, 600}));
        milliseconds += cpuMilliseconds() - start;
    }
    if (box.boxes().size() != size_t(kClasses))
        state.SkipWithError("not one box per class");
    state.SetItemsProcessed(state.iterations() * kValues);
    state.counters["share_of_target"] =
        milliseconds / 1e3 / double(state.iterations()) / kTargetSeconds;
}
BENCHMARK(BM_BoxPlotOfMillionValuesDrawn)->Unit(benchmark::kMillisecond)->Iterations(5);
} // namespace
