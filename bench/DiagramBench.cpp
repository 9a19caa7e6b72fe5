// The XY pipeline on the generated million-sample database (Samples, Major and Trace joined on
// SampleNo): query, classes and series, without rendering; beside it the bare sqlite3 shell
// running the same SELECT to /dev/null, and the ratio of the two. Peak memory per plotted point
// is read from the process's high-water mark, started again just before the first draw.
#include "BenchSession.h"
#include "diagram/DiagramSelect.h"
#include "diagram/DiagramWindow.h"
#include "platform/MemoryPolicy.h"
#include "platform/SqlDialectTranslator.h"
#include "platform/sqlite/SqliteConnection.h"
#include "query/FilterBaseResolver.h"
#include "query/LinkSearch.h"

#include <QFile>
#include <QProcess>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace {

using D = DiagramDefinition;
using Clock = std::chrono::steady_clock;

// The process's resident high-water mark in kB (VmHWM), or its resident size now (VmRSS).
long statusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Starts the high-water mark again from the resident size now, so that the benchmarks run
// before this one (whose peaks may be higher) do not hide this one's; returns that size. The
// heap's free pages go back to the system first: left resident, the draw would fill them
// without the high-water mark rising.
long residentKilobytesFromNow() {
#if defined(M_TRIM_THRESHOLD)
    malloc_trim(0);
#endif
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return statusKilobytes("VmRSS:");
}

double seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

void BM_XYPipelineBesideSqliteShell(benchmark::State& state) {
    const QString path = BenchSession::generatedDatabase(state);
    if (path.isEmpty())
        return;
    MemoryPolicy::mapLargeBlocks(); // as the program does at start-up
    BenchSession bench;
    if (!bench.open(path, state))
        return;
    auto& [dialogs, status, session] = bench;
    DiagramWindow window(session, dialogs, status);
    window.definition.tables = {"Major", "Trace", "", "Samples"};
    window.definition.fields = {"SiO2", "Zr", "", "Rock"};

    const FilterBaseResolver filters(*session.connection(), session.catalogue());
    const LinkSearch links(session.catalogue(), filters);
    const QString select =
        SqlDialectTranslator::translate(
            DiagramSelect::build(window.definition, {}, false, session.catalogue(), links, filters)
                .statement,
            SqlDialect::Sqlite)
            .sql;

    const long before = residentKilobytesFromNow();
    double pipeline = 0, shell = 0;
    qsizetype points = 0;
    long firstPeak = 0;
    for (auto _ : state) {
        auto t = Clock::now();
        window.draw();
        pipeline += seconds(t);
        points = window.figure().pointCount();
        if (!firstPeak)
            firstPeak = statusKilobytes("VmHWM:");
        t = Clock::now();
        QProcess cli;
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(QStringLiteral("sqlite3"), {path, select});
        cli.waitForFinished(-1);
        shell += seconds(t);
    }
    state.counters["points"] = double(points);
    state.counters["pipeline_s"] = pipeline / double(state.iterations());
    state.counters["sqlite3_s"] = shell / double(state.iterations());
    state.counters["ratio"] = shell > 0 ? pipeline / shell : 0;
    state.counters["bytes_per_point"] =
        points ? double(firstPeak - before) * 1024.0 / double(points) : 0;
}
BENCHMARK(BM_XYPipelineBesideSqliteShell)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
