#pragma once
// A small session database on a real engine for the SQL builder tests: samples, assays with two
// rows for S2 and one for a sample S5 that is not in Samples, chemistry for S1 and S4, filters on
// tables and on a filter, and a query without the "f_" prefix. Mapped into a catalogue with its
// links built, as start-up does. The PostgreSQL variant works in a schema of its own and drops it.
#include "db/SchemaMapper.h"
#include "platform/HeadlessStatus.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class LinkedSampleDatabase : public ::testing::TestWithParam<Engine> {
protected:
    QTemporaryDir dir;
    std::unique_ptr<Connection> db;
    SchemaCatalogue catalogue;
    std::unique_ptr<PgScratchSchema> pgSchema;

    void SetUp() override {
        if (GetParam() == Engine::Sqlite) {
            auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("linked.sqlite")),
                                                 SqliteConnection::Mode::ReadWriteCreate);
            ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
            db = std::move(opened.connection);
        } else {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pgSchema = std::make_unique<PgScratchSchema>(QStringLiteral("quv_builder"));
            ASSERT_TRUE(pgSchema->ok()) << pgSchema->error().toStdString();
            auto opened = pgSchema->open();
            ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
            db = std::move(opened.connection);
        }
        createSchema();
        HeadlessStatus status;
        ASSERT_EQ(SchemaMapper(*db, status)
                      .MapDatabase(catalogue, QStringLiteral("linked"), {}, {true, false, false}),
                  SchemaMapper::Outcome::Mapped);
    }

    void TearDown() override {
        db.reset(); // before its schema is dropped
        pgSchema.reset();
    }

    void run(const QString& sql, const std::vector<CellValue>& values = {}) {
        ASSERT_TRUE(db->execute(sql, values))
            << sql.toStdString() << ": " << db->lastError().toStdString();
    }

    static CellValue num(double v) { return CellValue::number(v); }
    static CellValue txt(const char* v) { return CellValue::text(QString::fromUtf8(v)); }
    static CellValue null() { return CellValue::null(); }

    void createSchema() {
        run("CREATE TABLE [Samples] ([SampleNo] TEXT(20) CONSTRAINT [pkSamples] PRIMARY KEY, "
            "[Rock] TEXT(30), [X] DOUBLE)");
        run("CREATE TABLE [Assay] ([SampleNo] TEXT(20), [Au] DOUBLE, [Cu] DOUBLE)");
        run("CREATE INDEX [AssaySample] ON [Assay] ([SampleNo])");
        run("CREATE TABLE [Chem] ([SampleNo] TEXT(20) CONSTRAINT [pkChem] PRIMARY KEY, "
            "[SiO2] DOUBLE)");
        run("CREATE TABLE [f_table] ([A] TEXT(5))");
        const QString samples = QStringLiteral("INSERT INTO [Samples] VALUES (?, ?, ?)");
        run(samples, {txt("S1"), txt("Basalt"), num(1)});
        run(samples, {txt("S2"), txt("Granite"), num(2)});
        run(samples, {txt("S3"), txt("Basalt"), null()});
        run(samples, {txt("S4"), txt("Gabbro"), num(4)});
        const QString assay = QStringLiteral("INSERT INTO [Assay] VALUES (?, ?, ?)");
        run(assay, {txt("S1"), num(0.5), num(10)});
        run(assay, {txt("S2"), num(2.5), num(20)});
        run(assay, {txt("S3"), num(4), null()});
        run(assay, {txt("S5"), num(9), num(50)});
        run(assay, {txt("S2"), num(2.5), num(5)});
        const QString chem = QStringLiteral("INSERT INTO [Chem] VALUES (?, ?)");
        run(chem, {txt("S1"), num(50)});
        run(chem, {txt("S4"), num(70)});
        run("CREATE VIEW [f_Gold] AS SELECT * FROM [Assay] WHERE [Assay].[Au] > 1");
        run("CREATE VIEW [f_RichGold] AS SELECT * FROM [f_Gold] WHERE [f_Gold].[Au] > 3");
        run("CREATE VIEW [f_Basalt] AS SELECT * FROM [Samples] WHERE [Samples].[Rock] = 'Basalt'");
        run("CREATE VIEW [Rocks] AS SELECT [Samples].[Rock], [Samples].[X] FROM [Samples]");
        run("CREATE VIEW [f_Join] AS SELECT [Samples].[Rock], [Assay].[SampleNo], [Assay].[Au] "
            "FROM [Samples], [Assay] WHERE [Samples].[SampleNo] = [Assay].[SampleNo]");
    }

    // Rows as "a|b|c", Null written NULL, in the order the engine returned them.
    QStringList rows(const QString& sql) {
        QStringList out;
        const auto result = db->query(sql);
        EXPECT_TRUE(result) << sql.toStdString() << ": " << db->lastError().toStdString();
        if (!result)
            return out;
        for (qsizetype r = 0; r < result->rowCount(); ++r) {
            QStringList cells;
            for (const CellValue& v : result->row(r))
                cells << (v.isNull() ? QStringLiteral("NULL") : v.toText());
            out << cells.join(u'|');
        }
        return out;
    }
};
