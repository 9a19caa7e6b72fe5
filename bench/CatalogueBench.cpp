// Mapping a large schema: 2,000 tables of 50 fields, each with a key index. Walking the schema
// must stay well under a second; loading the saved map must not read the schema at all.
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
    const QString map = MapFile::pathFor(s.path, false, {});
    {
        SchemaCatalogue c;
        SchemaMapper(*s.db, status).MapDatabase(c, s.path, map, {true, false, true});
    }
    for (auto _ : state) {
        SchemaCatalogue c;
        SchemaMapper(*s.db, status).MapDatabase(c, s.path, map, {false, true, false});
        benchmark::DoNotOptimize(c.tableFields.lastRow());
    }
}
BENCHMARK(BM_MapDatabaseFromMapFile)->Unit(benchmark::kMillisecond);

} // namespace
