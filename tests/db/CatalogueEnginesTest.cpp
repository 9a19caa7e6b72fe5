// The same schema, mapped on every engine the program reaches.
#include "db/ConnectionFactory.h"
#include "db/LinkBuilder.h"
#include "db/SchemaMapper.h"
#include "platform/HeadlessStatus.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const schemaStatements[] = {
    "CREATE TABLE [Samples] ([SampleNo] TEXT(20) CONSTRAINT [pk] PRIMARY KEY, [Rock] TEXT(30), "
    "[X] DOUBLE)",
    "CREATE TABLE [Assay] ([SampleNo] TEXT(20), [Element] TEXT(5), [Value] DOUBLE)",
    "CREATE INDEX [AssayKey] ON [Assay] ([SampleNo], [Element])",
    "CREATE INDEX [AssaySample] ON [Assay] ([SampleNo])",
    "CREATE TABLE [f_table] ([A] TEXT(5))",
    "CREATE VIEW [f_rocks] AS SELECT [Samples].[SampleNo] FROM [Samples] WHERE [Samples].[Rock] = "
    "'Basalt'",
    "CREATE VIEW [rocks] AS SELECT * FROM [Samples]",
};

QStringList row(const Sheet& s, int r) {
    QStringList out;
    for (int c = 1; c <= s.lastColumn(); ++c)
        if (!s.text(r, c).isEmpty())
            out << s.text(r, c);
    return out;
}

void expectCatalogue(Connection& db) {
    for (const char* sql : schemaStatements)
        ASSERT_TRUE(db.execute(QString::fromUtf8(sql)))
            << sql << ": " << db.lastError().toStdString();
    HeadlessStatus status;
    SchemaCatalogue c;
    ASSERT_EQ(
        SchemaMapper(db, status).MapDatabase(c, QStringLiteral("db"), {}, {true, false, false}),
        SchemaMapper::Outcome::Mapped);
    QStringList tables = c.tableNames();
    tables.sort();
    EXPECT_EQ(tables, (QStringList{"Assay", "Samples", "f_table"}));
    EXPECT_EQ(c.fieldNames(QStringLiteral("Samples")), (QStringList{"SampleNo", "Rock", "X"}));
    EXPECT_EQ(c.filters, QStringList{"rocks"});
    const int assay = c.indexList.findInColumn(1, QStringLiteral("Assay"), true);
    ASSERT_GT(assay, 0);
    EXPECT_EQ(row(c.indexList, assay), (QStringList{"Assay", "SampleNo", "Element"}));
    EXPECT_EQ(c.keyFields(QStringLiteral("Samples")), QStringList{"SampleNo"});
    // Samples and Assay share the key SampleNo in whichever order the engine lists them.
    bool linked = false;
    for (int r = 1; r <= c.links.lastRow(); ++r) {
        const QStringList l = row(c.links, r);
        if (l.size() == 4 && l[0] != l[1] && l.mid(2) == QStringList{"SampleNo", "SampleNo"})
            linked = true;
    }
    EXPECT_TRUE(linked);
}

TEST(CatalogueEngines, Sqlite) {
    QTemporaryDir dir;
    auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("x.sqlite")),
                                         SqliteConnection::Mode::ReadWriteCreate);
    ASSERT_TRUE(opened.ok());
    expectCatalogue(*opened.connection);
}

TEST(CatalogueEngines, PostgreSql) {
    if (PgScratchSchema::conninfo().isEmpty())
        GTEST_SKIP() << PgScratchSchema::skipReason;
    const PgScratchSchema schema(QStringLiteral("quv_cat"));
    ASSERT_TRUE(schema.ok()) << schema.error().toStdString();
    auto opened = schema.open();
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    expectCatalogue(*opened.connection);
}

TEST(CatalogueEngines, JetFileWithoutSystemTables) {
    QTemporaryDir dir;
    const QString mdb = dir.filePath(QStringLiteral("DateTestDatabase.mdb"));
    ASSERT_TRUE(
        QFile::copy(testpaths::testData(QStringLiteral("jet/DateTestDatabase.mdb")), mdb));
    OpenedConnection opened = ConnectionFactory::open(mdb);
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    HeadlessStatus status;
    SchemaCatalogue c;
    ASSERT_EQ(SchemaMapper(*opened.connection, status)
                  .MapDatabase(c, mdb, dir.filePath(QStringLiteral("DateTestDatabase.ake")),
                               {true, false, true}),
              SchemaMapper::Outcome::Mapped);
    EXPECT_GT(c.tableRow(QStringLiteral("DateTest")), 0);
    EXPECT_FALSE(c.fieldNames(QStringLiteral("DateTest")).isEmpty());
    for (const QString& t : c.tableNames())
        EXPECT_FALSE(t.startsWith(QStringLiteral("MSys"))) << t.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("DateTestDatabase.ake"))));
}

} // namespace
