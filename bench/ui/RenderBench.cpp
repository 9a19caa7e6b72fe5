// Rendering a million points in twenty classes to an 800 x 600 PNG, on linear and on log-log
// axes (target: below one second). Runs on the offscreen platform, as batch drawing does.
#include "figure/AxisScaler.h"
#include "figure/StylePalette.h"
#include "figure/ui/FigureExporter.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr int kPoints = 1000000;
constexpr int kClasses = 20;

Figure millionPoints(bool logLog) {
    Figure f;
    f.header = QStringLiteral("Cu vs. Zn");
    f.x.title = QStringLiteral("Zn");
    f.y.title = QStringLiteral("Cu");
    f.x.logarithmic = logLog;
    f.y.logarithmic = logLog;
    std::mt19937_64 random(3);
    std::lognormal_distribution<double> grade(3.0, 1.0);
    for (int c = 0; c < kClasses; ++c) {
        Series s;
        s.name = QStringLiteral("Rock type %1").arg(c);
        s.style = StylePalette::styleFor(c);
        s.points.reserve(kPoints / kClasses);
        for (int i = 0; i < kPoints / kClasses; ++i) {
            const double zn = grade(random);
            s.points.push_back({zn, zn * 0.3 * grade(random) / 20, 0, qsizetype(i)});
        }
        f.series.push_back(std::move(s));
    }
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    return f;
}

void renderPng(benchmark::State& state, bool logLog) {
    const Figure figure = millionPoints(logLog);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("million.png"));
    for (auto _ : state) {
        if (!FigureExporter::save(figure, path, QSize(800, 600))) {
            state.SkipWithError("PNG not written");
        }
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
    // QUV_BENCH_PICTURES=folder keeps the pictures to look at.
    const QString keep = qEnvironmentVariable("QUV_BENCH_PICTURES");
    if (!keep.isEmpty()) {
        const QString name =
            logLog ? QStringLiteral("/million-loglog.png") : QStringLiteral("/million.png");
        QFile::remove(keep + name);
        QFile::copy(path, keep + name);
    }
}

void BM_RenderMillionPointsToPng(benchmark::State& state) {
    renderPng(state, false);
}
BENCHMARK(BM_RenderMillionPointsToPng)->Unit(benchmark::kMillisecond);

void BM_RenderMillionPointsLogLogToPng(benchmark::State& state) {
    renderPng(state, true);
}
BENCHMARK(BM_RenderMillionPointsLogLogToPng)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
