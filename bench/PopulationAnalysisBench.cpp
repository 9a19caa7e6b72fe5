// A population analysis over 1,000 populations of a 100,000-sample SQLite database: five
// Analyze rows (n, avg, median, 90% percentile, %_positive) and their Store rows into a result
// database, one row per population. The target is 10 s for the whole run.
#include "automation/PopulationAnalysis.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {
constexpr int kSamples = 100000;
constexpr int kPopulations = 1000;

struct PopulationData {
    QTemporaryDir dir;
    std::unique_ptr<Connection> data;
    QString error;

    PopulationData() {
        auto opened = SqliteConnection::open(dir.filePath("samples.sqlite"),
                                             SqliteConnection::Mode::ReadWriteCreate);
        if (!opened.ok()) {
            error = opened.error;
            return;
        }
        data = std::move(opened.connection);
        data->execute("CREATE TABLE [Samples] ([SampleNo] LONG, [Hole] TEXT(20), [Cu] DOUBLE, "
                      "[Zn] DOUBLE)");
        data->execute("CREATE UNIQUE INDEX [PrimaryKey] ON [Samples] ([SampleNo]) WITH PRIMARY");
        std::mt19937 random(7);
        std::lognormal_distribution<double> grade(1.0, 0.8);
        TransactionScope t(*data);
        auto insert = data->prepare("INSERT INTO [Samples] VALUES (?, ?, ?, ?)");
        for (int i = 0; i < kSamples; ++i)
            insert->execute({CellValue::number(i + 1),
                             CellValue::text(QStringLiteral("DH%1").arg(i % kPopulations, 4, 10,
                                                                        QLatin1Char('0'))),
                             CellValue::number(grade(random)),
                             CellValue::number(grade(random) - 3.0)});
        t.commit();
    }
};

void BM_PopulationAnalysis(benchmark::State& state) {
    static PopulationData data;
    if (!data.error.isEmpty()) {
        state.SkipWithError(data.error.toStdString().c_str());
        return;
    }
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    for (auto _ : state) {
        QTemporaryDir out;
        auto results = SqliteConnection::open(out.filePath("results.sqlite"),
                                              SqliteConnection::Mode::ReadWriteCreate);
        PopulationAnalysis a(*data.data, dialogs, status);
        a.definition = {"Samples", "Hole", "SampleNo", {}};
        a.resultDatabase = results.connection.get();
        const QStringList rows[] = {{"Analyze", "Samples", "Cu", "n", "", "Mem1"},
                                    {"Analyze", "Samples", "Cu", "avg", "", "Mem2"},
                                    {"Analyze", "Samples", "Cu", "median", "", "Mem3"},
                                    {"Analyze", "Samples", "Zn", "90% percentile", "", "Mem4"},
                                    {"Analyze", "Samples", "Zn", "%_positive", "", "Mem5"},
                                    {"Store", "", "", "", "Mem1", "N", "N"},
                                    {"Store", "", "", "", "Mem2", "AvgCu", "N"},
                                    {"Store", "", "", "", "Mem3", "MedianCu", "N"},
                                    {"Store", "", "", "", "Mem4", "P90Zn", "N"},
                                    {"Store", "", "", "", "Mem5", "PositiveZn", "N"}};
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                if (!rows[r][c].isEmpty())
                    a.program.setText(r + 1, c + 1, rows[r][c]);
        dialogs.queueAnswer(Answer::Yes);
        if (!a.run())
            state.SkipWithError("the run failed");
        const auto stored = results.connection->query("SELECT COUNT(*) FROM [Analysis]");
        state.counters["populations"] = stored ? stored->at(0, 0).toNumber().value_or(0) : 0;
    }
}
BENCHMARK(BM_PopulationAnalysis)->Unit(benchmark::kMillisecond)->Iterations(1);
} // namespace
