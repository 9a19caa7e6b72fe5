// A spider diagram of 10,000 samples x 30 elements in eight classes, drawn end to end: the
// fetch through the key table from SQLite, normalization, one gap-broken curve per class and
// the PNG (target: below one second).
#include "figure/AxisScaler.h"
#include "figure/Classifier.h"
#include "figure/ui/FigureExporter.h"
#include "platform/sqlite/SqliteConnection.h"
#include "spider/SpiderFigureBuilder.h"
#include "spider/SpiderQuery.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kSamples = 10000;
constexpr int kElements = 30;

void BM_SpiderTenThousandSamplesToPng(benchmark::State& state) {
    QTemporaryDir dir;
    OpenedConnection opened = SqliteConnection::open(dir.filePath(QStringLiteral("s.sqlite")),
                                                     SqliteConnection::Mode::ReadWriteCreate);
    Connection& c = *opened.connection;
    QString columns = QStringLiteral("[SampleNo] TEXT(255), [Rock] TEXT(255)");
    QString markers = QStringLiteral("?, ?");
    SpiderQuery::Request request{QStringLiteral("Chem"), QStringLiteral("SampleNo"), {}, {},
                                 QStringLiteral("Chem"), QStringLiteral("Rock")};
    NormalizationSample norm;
    std::vector<SpiderFigureBuilder::Position> positions;
    for (int e = 0; e < kElements; ++e) {
        columns += QStringLiteral(", [E%1] DOUBLE").arg(e);
        markers += QStringLiteral(", ?");
        request.positions.push_back({QStringLiteral("Chem"), QStringLiteral("E%1").arg(e), 1.0});
        norm.values << QStringLiteral("0.5");
        positions.push_back({QStringLiteral("E%1").arg(e), true, false});
    }
    c.execute(QStringLiteral("CREATE TABLE [Chem] (") + columns + u')');
    c.beginTransaction();
    auto insert = c.prepare(QStringLiteral("INSERT INTO [Chem] VALUES (") + markers + u')');
    for (int s = 0; s < kSamples; ++s) {
        std::vector<CellValue> row{CellValue::text(QString::number(s)),
                                   CellValue::text(QStringLiteral("Rock %1").arg(s % 8))};
        for (int e = 0; e < kElements; ++e)
            row.push_back(CellValue::number(1.0 + (s % 97) * 0.3 + e * (s % 8 + 1)));
        insert->execute(row);
        request.keys.push_back(CellValue::text(QString::number(s)));
    }
    c.commit();
    const QString picture = dir.filePath(QStringLiteral("spider.png"));
    for (auto _ : state) {
        QString error, statement;
        const auto rows = SpiderQuery::fetch(c, request, error, statement);
        if (!rows || rows->rowCount() != kSamples) {
            state.SkipWithError("rows not read");
            break;
        }
        Classifier classifier({});
        for (const CellValue& v : rows->classes)
            classifier.add(v);
        Figure figure = SpiderFigureBuilder::build(*rows, positions, norm, classifier.finish(), {});
        AxisScaler::autoScaleY(figure);
        if (!FigureExporter::save(figure, picture, QSize(800, 600)))
            state.SkipWithError("PNG not written");
    }
    state.SetItemsProcessed(state.iterations() * kSamples);
}
BENCHMARK(BM_SpiderTenThousandSamplesToPng)->Unit(benchmark::kMillisecond);

} // namespace
