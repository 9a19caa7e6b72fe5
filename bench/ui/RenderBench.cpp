// Drawing, each beside its reference run in the same process:
// - a million points in twenty classes to an 800 x 600 PNG on log-log axes, beside the same
//   points on linear axes (target: at most twice the linear time), and beside the same picture
//   drawn on linear axes from the points' logarithms (ratio_same_picture: what the log axes
//   themselves cost; the plain linear picture crowds the skewed grades into a corner, where
//   thinning leaves a twentieth of the distinct points the log picture must draw);
// - a hundred thousand samples classed by a field with one value per sample (a hundred
//   thousand classes: classes, series and the PNG), beside the same samples in seven classes
//   (target: at most twice the seven classes);
// - the same on the generated database (QUV_BENCH_DATABASE, as ./quv bench sets it): the
//   samples of the stored filter Komatiites drawn from the query to the PNG, classed by their
//   sample number beside classed by their project.
// Runs on the offscreen platform, as batch drawing does. Times are processor milliseconds.
#include "../BenchSession.h"
#include "../CpuClock.h"
#include "diagram/DiagramWindow.h"
#include "figure/AxisScaler.h"
#include "figure/Classifier.h"
#include "figure/PlotTable.h"
#include "figure/SeriesBuilder.h"
#include "figure/StylePalette.h"
#include "figure/ui/FigureExporter.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <functional>
#include <random>

namespace {
constexpr int kPoints = 1000000;
constexpr int kClasses = 20;
constexpr int kClassedSamples = 100000;

double millisecondsOf(const std::function<void()>& run) {
    const double start = cpuMilliseconds();
    run();
    return cpuMilliseconds() - start;
}

void ratioCounters(benchmark::State& state, const char* name, const char* referenceName,
                   double total, double reference) {
    const double n = double(state.iterations());
    state.counters[name] = total / n;
    state.counters[referenceName] = reference / n;
    state.counters["ratio"] = reference > 0 ? total / reference : 0;
}

enum class Axes { Linear, LogLog, LinearOfLogs };

Figure millionPoints(Axes axes) {
    Figure f;
    f.header = QStringLiteral("Cu vs. Zn");
    f.x.title = QStringLiteral("Zn");
    f.y.title = QStringLiteral("Cu");
    f.x.logarithmic = f.y.logarithmic = axes == Axes::LogLog;
    std::mt19937_64 random(3);
    std::lognormal_distribution<double> grade(3.0, 1.0);
    for (int c = 0; c < kClasses; ++c) {
        Series s;
        s.name = QStringLiteral("Rock type %1").arg(c);
        s.style = StylePalette::styleFor(c);
        s.points.reserve(kPoints / kClasses);
        for (int i = 0; i < kPoints / kClasses; ++i) {
            const double zn = grade(random);
            const double cu = zn * 0.3 * grade(random) / 20;
            if (axes == Axes::LinearOfLogs)
                s.points.push_back({std::log10(zn), std::log10(cu), qsizetype(i)});
            else
                s.points.push_back({zn, cu, qsizetype(i)});
        }
        f.series.push_back(std::move(s));
    }
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    return f;
}

bool savePng(const Figure& figure, const QString& path) {
    return FigureExporter::save(figure, path, QSize(800, 600));
}

// QUV_BENCH_PICTURES=folder keeps the pictures to look at.
void keepPicture(const QString& path, const QString& name) {
    const QString keep = qEnvironmentVariable("QUV_BENCH_PICTURES");
    if (!keep.isEmpty()) {
        QFile::remove(keep + QLatin1Char('/') + name);
        QFile::copy(path, keep + QLatin1Char('/') + name);
    }
}

void BM_RenderMillionPointsLogLogBesideLinear(benchmark::State& state) {
    const Figure linear = millionPoints(Axes::Linear);
    const Figure logLog = millionPoints(Axes::LogLog);
    const Figure samePicture = millionPoints(Axes::LinearOfLogs);
    QTemporaryDir dir;
    const QString linearPath = dir.filePath(QStringLiteral("million.png"));
    const QString logPath = dir.filePath(QStringLiteral("million-loglog.png"));
    const QString samePath = dir.filePath(QStringLiteral("million-of-logs.png"));
    double linearMs = 0, logMs = 0, sameMs = 0;
    bool written = true;
    for (auto _ : state) {
        linearMs += millisecondsOf([&] { written = savePng(linear, linearPath) && written; });
        logMs += millisecondsOf([&] { written = savePng(logLog, logPath) && written; });
        sameMs += millisecondsOf([&] { written = savePng(samePicture, samePath) && written; });
    }
    if (!written)
        state.SkipWithError("PNG not written");
    ratioCounters(state, "loglog_ms", "linear_ms", logMs, linearMs);
    state.counters["same_picture_ms"] = sameMs / double(state.iterations());
    state.counters["ratio_same_picture"] = sameMs > 0 ? logMs / sameMs : 0;
    keepPicture(linearPath, QStringLiteral("million.png"));
    keepPicture(logPath, QStringLiteral("million-loglog.png"));
    keepPicture(samePath, QStringLiteral("million-of-logs.png"));
}
BENCHMARK(BM_RenderMillionPointsLogLogBesideLinear)->Unit(benchmark::kMillisecond);

// The samples' X, Y and classifier as a draw fetches them: sample i is in class i % classes.
PlotTable classedSamples(int classes) {
    PlotTable t;
    std::mt19937_64 random(7);
    std::lognormal_distribution<double> grade(2.0, 1.0);
    for (int i = 0; i < kClassedSamples; ++i) {
        t.x.append(CellValue::number(grade(random)));
        t.y.append(CellValue::number(grade(random)));
        t.classifier.append(
            CellValue::text(QStringLiteral("S%1").arg(i % classes, 6, 10, QLatin1Char('0'))));
    }
    return t;
}

bool drawClassed(const PlotTable& table, const QString& path) {
    const Classification classes =
        Classifier::classify(table.classifier, {ClassifyMode::AsText, false, false});
    Figure f;
    f.series = SeriesBuilder::build(table, {PlotTable::X, PlotTable::Y, -1, -1}, classes).series;
    AxisScaleState automatic;
    AxisScaler::scale(f, automatic, false);
    return savePng(f, path);
}

void BM_DrawHundredThousandClassesBesideSeven(benchmark::State& state) {
    const PlotTable many = classedSamples(kClassedSamples);
    const PlotTable seven = classedSamples(7);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("classes.png"));
    double manyMs = 0, sevenMs = 0;
    bool written = true;
    for (auto _ : state) {
        sevenMs += millisecondsOf([&] { written = drawClassed(seven, path) && written; });
        manyMs += millisecondsOf([&] { written = drawClassed(many, path) && written; });
    }
    if (!written)
        state.SkipWithError("PNG not written");
    ratioCounters(state, "classes100k_ms", "classes7_ms", manyMs, sevenMs);
}
BENCHMARK(BM_DrawHundredThousandClassesBesideSeven)->Unit(benchmark::kMillisecond);

void BM_DrawSampleClassesFromDatabaseBesideProjects(benchmark::State& state) {
    const QString path = BenchSession::generatedDatabase(state);
    if (path.isEmpty())
        return;
    BenchSession bench;
    if (!bench.open(path, state))
        return;
    auto& [dialogs, status, session] = bench;
    DiagramWindow window(session, dialogs, status);
    window.definition.tables = {"Major", "Trace", "", "Samples"};
    window.definition.filterOn = true;
    window.definition.filter = QStringLiteral("Komatiites");
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("komatiites.png"));
    const auto draw = [&](const char* classifier) {
        window.definition.fields = {"SiO2", "Zr", "", QString::fromLatin1(classifier)};
        return window.draw() && savePng(window.figure(), png);
    };
    double samplesMs = 0, projectsMs = 0;
    bool drawn = true;
    qsizetype classes = 0;
    for (auto _ : state) {
        projectsMs += millisecondsOf([&] { drawn = draw("Project") && drawn; });
        samplesMs += millisecondsOf([&] { drawn = draw("SampleNo") && drawn; });
        classes = qsizetype(window.figure().series.size());
    }
    if (!drawn)
        state.SkipWithError("not drawn");
    state.counters["classes"] = double(classes);
    state.counters["points"] = double(window.figure().pointCount());
    ratioCounters(state, "sample_classes_ms", "project_classes_ms", samplesMs, projectsMs);
}
BENCHMARK(BM_DrawSampleClassesFromDatabaseBesideProjects)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
