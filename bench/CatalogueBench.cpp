// Mapping a large schema: 2,000 tables of 50 fields, each with a key index. Walking the schema
// must stay well under a second; loading the saved map must not read the schema at all. The
// maps here hold no links: linking every pair of 2,000 keyed tables gives two million link
// rows, measured on their own by BM_BuildLinks.
#include "db/LinkBuilder.h"
#include "db/MapFile.h"
#include "db/SchemaMapper.h"
#include "platform/HeadlessStatus.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct LargeSchema {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("large.sqlite"));
    std::unique_ptr<Connection> db;

    LargeSchema() {
        db = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate).connection;
        db->beginTransaction();
        for (int t = 0; t < 2000; ++t) {
            QString sql = QStringLiteral("CREATE TABLE [T%1] ([SampleNo] TEXT(20)").arg(t);
            for (int f = 1; f < 50; ++f)
                sql += QStringLiteral(", [F%1] DOUBLE").arg(f);
            db->execute(sql + u')');
            db->execute(QStringLiteral("CREATE INDEX [K%1] ON [T%1] ([SampleNo], [F1])").arg(t));
        }
        db->commit();
    }
};

LargeSchema& schema() {
    static LargeSchema s;
    return s;
}

// Maps the schema once and saves the map beside it.
QString savedMap(LargeSchema& s, Status& status) {
    const QString map = MapFile::pathFor(s.path, false, {});
    SchemaCatalogue c;
    SchemaMapper(*s.db, status).MapDatabase(c, s.path, map, {false, false, true});
    return map;
}

void BM_MapDatabaseFromSchema(benchmark::State& state) {
    LargeSchema& s = schema();
    HeadlessStatus status;
    for (auto _ : state) {
        SchemaCatalogue c;
        SchemaMapper(*s.db, status).MapDatabase(c, s.path, {}, {false, false, false});
        benchmark::DoNotOptimize(c.tableFields.lastRow());
    }
}
BENCHMARK(BM_MapDatabaseFromSchema)->Unit(benchmark::kMillisecond);

void BM_MapDatabaseFromMapFile(benchmark::State& state) {
    LargeSchema& s = schema();
    HeadlessStatus status;
    const QString map = savedMap(s, status);
    for (auto _ : state) {
        SchemaCatalogue c;
        SchemaMapper(*s.db, status).MapDatabase(c, s.path, map, {false, true, false});
        benchmark::DoNotOptimize(c.tableFields.lastRow());
    }
}
BENCHMARK(BM_MapDatabaseFromMapFile)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The two halves of a map-file open: reading the file, and the one schema read it keeps.
void BM_LoadMapFileOnly(benchmark::State& state) {
    LargeSchema& s = schema();
    HeadlessStatus status;
    const QString map = savedMap(s, status);
    for (auto _ : state) {
        SchemaCatalogue c;
        benchmark::DoNotOptimize(MapFile::load(c, map));
    }
}
BENCHMARK(BM_LoadMapFileOnly)->Unit(benchmark::kMillisecond);

void BM_RefreshFilterList(benchmark::State& state) {
    LargeSchema& s = schema();
    HeadlessStatus status;
    for (auto _ : state) {
        SchemaCatalogue c;
        benchmark::DoNotOptimize(SchemaMapper(*s.db, status).RefreshFilterList(c));
    }
}
BENCHMARK(BM_RefreshFilterList)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

void BM_BuildLinks(benchmark::State& state) {
    SchemaCatalogue c;
    for (int t = 1; t <= state.range(0); ++t) {
        c.keyList.setText(t, 1, QStringLiteral("T%1").arg(t));
        c.keyList.setText(t, 2, QStringLiteral("SampleNo"));
        c.tableFields.setText(t, 1, QStringLiteral("T%1").arg(t));
        for (int f = 2; f <= 5; ++f)
            c.tableFields.setText(t, f, QStringLiteral("F%1").arg(f));
    }
    for (auto _ : state) {
        LinkBuilder::BuildLinks(c);
        benchmark::DoNotOptimize(c.links.lastRow());
    }
}
BENCHMARK(BM_BuildLinks)->Arg(200)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
