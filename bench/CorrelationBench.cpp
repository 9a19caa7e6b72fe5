// The correlation matrix of 40 fields over 100 000 rows with pairwise deletion (one value in
// twenty missing). With R installed, the same table goes through cor(use =
// "pairwise.complete.obs") and its seconds are printed as a counter beside ours.
#include "stats/CorrelationMatrix.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <limits>
#include <random>

namespace {
constexpr int kRows = 100000;
constexpr int kFields = 40;

std::vector<CorrelationMatrix::Column> assays() {
    std::mt19937_64 random(17);
    std::normal_distribution<double> noise(0, 1);
    std::bernoulli_distribution missing(0.05);
    std::vector<CorrelationMatrix::Column> columns(kFields, CorrelationMatrix::Column(kRows));
    for (int r = 0; r < kRows; ++r) {
        const double common = noise(random);
        for (int c = 0; c < kFields; ++c)
            columns[c][r] = missing(random) ? std::numeric_limits<double>::quiet_NaN()
                                            : common * (c % 5) + noise(random);
    }
    return columns;
}

// Seconds R needs for the same matrix, or 0 without R.
double secondsInR(const std::vector<CorrelationMatrix::Column>& columns) {
    QTemporaryDir dir;
    QFile table(dir.filePath(QStringLiteral("values.csv")));
    if (!table.open(QIODevice::WriteOnly))
        return 0;
    for (int r = 0; r < kRows; ++r) {
        QByteArray line;
        for (int c = 0; c < kFields; ++c) {
            if (c)
                line += ',';
            line += std::isnan(columns[c][r]) ? QByteArray("NA")
                                              : QByteArray::number(columns[c][r], 'g', 17);
        }
        table.write(line + '\n');
    }
    table.close();
    QProcess r;
    r.start(QStringLiteral("Rscript"),
            {QStringLiteral("-e"),
             QStringLiteral("x <- as.matrix(read.csv('%1', header=FALSE)); t <- system.time(for "
                            "(i in 1:3) cor(x, use='pairwise.complete.obs')); "
                            "cat(t[['elapsed']] / 3)")
                 .arg(table.fileName())});
    if (!r.waitForFinished(300000) || r.exitCode() != 0)
        return 0;
    return r.readAllStandardOutput().trimmed().toDouble();
}

void BM_CorrelationMatrix(benchmark::State& state) {
    const std::vector<CorrelationMatrix::Column> columns = assays();
    for (auto _ : state) {
        const CorrelationMatrix matrix(columns);
        benchmark::DoNotOptimize(matrix.at(0, 1));
    }
    const double r = secondsInR(columns);
    if (r > 0)
        state.counters["seconds_in_R"] = r;
    state.SetItemsProcessed(state.iterations() * kRows * kFields * (kFields - 1) / 2);
}
BENCHMARK(BM_CorrelationMatrix)->Unit(benchmark::kMillisecond);
} // namespace
