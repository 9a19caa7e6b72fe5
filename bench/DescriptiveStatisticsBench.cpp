// "&Execute" of the descriptive statistics window on 20 fields x 1M rows with a 10-class
// classifier, streamed from a SQLite table: the whole data and every class, 17 statistics a
// field. With R installed (Rscript), R's aggregate() of the same statistics (summary, sd,
// quantile type 7, skewness, kurtosis) over the same values, already in memory, is timed
// beside it; the counters give R's seconds and our time as a share of R's.
#include "BenchSession.h"
#include "platform/TransactionScope.h"
#include "platform/sqlite/SqliteConnection.h"
#include "stats/DescriptiveStatistics.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {
constexpr int kRows = 1000000;
constexpr int kFields = 20;
constexpr int kClasses = 10;

// The table [Assays] ([Class], [F01] .. [F20]) in a SQLite file, and the same values as raw
// doubles (row by row) and class numbers for R. Made once per run.
struct BenchData {
    QTemporaryDir dir;
    QString database = dir.filePath(QStringLiteral("assays.sqlite"));
    QString values = dir.filePath(QStringLiteral("values.bin"));
    QString classes = dir.filePath(QStringLiteral("classes.bin"));
    QString error;

    BenchData() {
        auto opened = SqliteConnection::open(database, SqliteConnection::Mode::ReadWriteCreate);
        if (!opened.ok()) {
            error = opened.error;
            return;
        }
        Connection& db = *opened.connection;
        QString create = QStringLiteral("CREATE TABLE [Assays] ([Class] TEXT(10)");
        QString insert = QStringLiteral("INSERT INTO [Assays] VALUES (?");
        for (int f = 1; f <= kFields; ++f) {
            create += QStringLiteral(", [F%1] DOUBLE").arg(f, 2, 10, QLatin1Char('0'));
            insert += QStringLiteral(", ?");
        }
        if (!db.execute(create + u')')) {
            error = db.lastError();
            return;
        }
        QFile valueFile(values), classFile(classes);
        if (!valueFile.open(QIODevice::WriteOnly) || !classFile.open(QIODevice::WriteOnly)) {
            error = QStringLiteral("cannot write the files for R");
            return;
        }
        TransactionScope t(db);
        auto statement = db.prepare(insert + u')');
        if (!statement) {
            error = db.lastError();
            return;
        }
        std::mt19937_64 random(23);
        std::lognormal_distribution<double> grade(2.0, 1.1);
        std::vector<CellValue> row(kFields + 1);
        std::vector<double> numbers(kFields);
        for (int r = 0; r < kRows; ++r) {
            const qint32 c = qint32(random() % kClasses) + 1;
            row[0] = CellValue::text(QStringLiteral("Rock %1").arg(c));
            for (int f = 0; f < kFields; ++f) {
                numbers[size_t(f)] = grade(random) * (f + 1);
                row[size_t(f + 1)] = CellValue::number(numbers[size_t(f)]);
            }
            if (!statement->execute(row)) {
                error = statement->lastError();
                return;
            }
            valueFile.write(reinterpret_cast<const char*>(numbers.data()),
                            qint64(numbers.size() * sizeof(double)));
            classFile.write(reinterpret_cast<const char*>(&c), sizeof c);
        }
        statement.reset();
        if (!t.commit())
            error = db.lastError();
    }

    // Seconds R's aggregate() and the whole-data statistics take, or 0 without R.
    double secondsInR() const {
        const QString script =
            QStringLiteral(
                "n <- %1; k <- %2\n"
                "x <- as.data.frame(matrix(readBin('%3', 'double', n * k), ncol = k, byrow = "
                "TRUE))\n"
                "cls <- readBin('%4', 'integer', n)\n"
                "f <- function(v) { n <- length(v); m <- mean(v); d <- v - m; m2 <- mean(d^2);\n"
                "  g1 <- mean(d^3) / m2^1.5; g2 <- mean(d^4) / m2^2 - 3;\n"
                "  c(summary(v), sd = sd(v), quantile(v, c(.1, .25, .5, .75, .9), type = 7),\n"
                "    skew = g1 * sqrt(n * (n - 1)) / (n - 2),\n"
                "    kurt = ((n + 1) * g2 + 6) * (n - 1) / ((n - 2) * (n - 3))) }\n"
                "t <- system.time({ a <- aggregate(x, by = list(cls = cls), FUN = f);\n"
                "                   w <- sapply(x, f) })\n"
                "cat(t[['elapsed']])\n")
                .arg(kRows)
                .arg(kFields)
                .arg(values, classes);
        QProcess r;
        r.start(QStringLiteral("Rscript"), {QStringLiteral("-e"), script});
        if (!r.waitForFinished(600000) || r.exitStatus() != QProcess::NormalExit ||
            r.exitCode() != 0)
            return 0;
        return r.readAllStandardOutput().trimmed().toDouble();
    }
};

void BM_DescriptiveStatisticsBesideR(benchmark::State& state) {
    static BenchData data;
    if (!data.error.isEmpty()) {
        state.SkipWithError(data.error.toStdString().c_str());
        return;
    }
    BenchSession bench;
    if (!bench.open(data.database, state))
        return;
    auto& [dialogs, status, session] = bench;
    DescriptiveStatistics full(session, dialogs, status);
    full.table = full.classTable = QStringLiteral("Assays");
    full.classField = QStringLiteral("Class");
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!full.execute()) {
            state.SkipWithError(dialogs.texts().join(u'\n').toStdString().c_str());
            return;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (full.sheets().sheetCount() != kClasses + 1)
        state.SkipWithError("not one sheet per class");
    state.SetItemsProcessed(state.iterations() * kRows * kFields);
    if (const double r = data.secondsInR(); r > 0) {
        state.counters["seconds_in_R"] = r;
        state.counters["share_of_R"] = seconds / double(state.iterations()) / r;
    }
}
BENCHMARK(BM_DescriptiveStatisticsBesideR)->Unit(benchmark::kSecond)->Iterations(3);
} // namespace
