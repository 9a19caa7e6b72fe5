// Column statistics of the table grid on a million assays: selecting the column (parsing the
// texts and sorting) and reading the statistics the grid shows. With R installed, the same
// values go through summary() and sd() once, and the ratio is printed as a counter.
#include "stats/StatisticsComponent.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr int kRows = 1000000;

StatisticsComponent assays() {
    StatisticsComponent c;
    c.SetSize(kRows, 1);
    std::mt19937_64 random(11);
    std::lognormal_distribution<double> grade(2.0, 1.2);
    for (int r = 1; r <= kRows; ++r)
        c.setCellText(r, 1, QString::number(grade(random), 'g', 6));
    return c;
}

// Seconds R needs for summary() and sd() of the same values, or 0 without R.
double secondsInR(const StatisticsComponent& c) {
    QTemporaryDir dir;
    QFile values(dir.filePath(QStringLiteral("values.txt")));
    if (!values.open(QIODevice::WriteOnly))
        return 0;
    for (int r = 1; r <= kRows; ++r)
        values.write((c.CellText(r, 1) + QLatin1Char('\n')).toLatin1());
    values.close();
    QProcess r;
    r.start(QStringLiteral("Rscript"),
            {QStringLiteral("-e"),
             QStringLiteral("x <- scan('%1', quiet=TRUE); t <- system.time(for (i in 1:5) "
                            "{summary(x); sd(x)}); cat(t[['elapsed']] / 5)")
                 .arg(values.fileName())});
    if (!r.waitForFinished(120000) || r.exitCode() != 0)
        return 0;
    return r.readAllStandardOutput().trimmed().toDouble();
}

void BM_ColumnStatistics(benchmark::State& state) {
    StatisticsComponent c = assays();
    const QStringList names = {"n",   "avg",    "min",      "max",     "stdev",
                               "var", "median", "kurtosis", "skewness"};
    for (auto _ : state) {
        c.SelectColumn(1, 0);
        for (const QString& n : names)
            benchmark::DoNotOptimize(c.Statistic(n));
    }
    const double r = secondsInR(c);
    if (r > 0)
        state.counters["seconds_in_R"] = r;
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ColumnStatistics)->Unit(benchmark::kMillisecond);
} // namespace
