#include "platform/sqlite/SqliteConnection.h"
#include "platform/AdoType.h"
#include "platform/SqlDialectTranslator.h"
#include "platform/TransactionScope.h"
#include "support/StreamingReadCheck.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SqliteConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("rocks.sqlite")),
                                             SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        db = std::move(opened.connection);
    }
    void run(const char* jet, const std::vector<CellValue>& values = {}) {
        ASSERT_TRUE(db->execute(QString::fromUtf8(jet), values))
            << jet << ": " << db->lastError().toStdString();
    }

    QTemporaryDir dir;
    std::unique_ptr<Connection> db;
};

TEST_F(SqliteConnectionTest, KeepsNullEmptyTextLeadingZerosDatesAndBooleansApart) {
    run("CREATE TABLE [Assay] ([Sample] STRING(10), [Note] MEMO, [Au] DOUBLE, [Taken] DATE, [Ok] "
        "BOOLEAN)");
    const QDateTime taken(QDate(1898, 1, 2), QTime(13, 45, 10), Qt::UTC);
    run("INSERT INTO [Assay] VALUES (?, ?, ?, ?, ?)",
        {CellValue::text("00123"), CellValue::text(""), CellValue::number(0.1),
         CellValue::date(taken), CellValue::boolean(true)});
    run("INSERT INTO [Assay] VALUES (?, ?, ?, ?, ?)",
        {CellValue::null(), CellValue::null(), CellValue::null(), CellValue::null(),
         CellValue::boolean(false)});
    const auto rows = db->query(QStringLiteral("SELECT * FROM [Assay] ORDER BY [Ok] DESC"));
    ASSERT_TRUE(rows) << db->lastError().toStdString();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->at(0, 0), CellValue::text("00123")); // not the number 123
    EXPECT_EQ(rows->at(0, 1), CellValue::text(""));
    EXPECT_EQ(rows->at(0, 2), CellValue::number(0.1));
    EXPECT_EQ(rows->at(0, 3), CellValue::date(taken));
    EXPECT_EQ(rows->at(0, 4), CellValue::boolean(true));
    for (int c = 0; c < 4; ++c)
        EXPECT_TRUE(rows->at(1, c).isNull()) << c;
    EXPECT_EQ(rows->at(1, 4), CellValue::boolean(false));
    EXPECT_EQ(rows->value(0, QStringLiteral("sample")), CellValue::text("00123"));
}

TEST_F(SqliteConnectionTest, RefusesSecondStatementAndReportsErrors) {
    run("CREATE TABLE [t] ([a] LONG)");
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO [t] VALUES (1); DROP TABLE [t]")));
    EXPECT_EQ(db->lastError(), SqlDialectTranslator::secondStatementError());
    EXPECT_FALSE(db->query(QStringLiteral("SELECT * FROM [missing]")));
    EXPECT_TRUE(db->lastError().contains(QLatin1String("missing")))
        << db->lastError().toStdString();
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO [t] VALUES (?)"), {}));
    const auto rows = db->query(QStringLiteral("SELECT count(*) FROM [t]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(0, 0), CellValue::number(0));
}

TEST_F(SqliteConnectionTest, TransactionsRollBackUnlessCommittedAndPreparedStatementsRepeat) {
    run("CREATE TABLE [t] ([a] LONG, [b] TEXT(5))");
    {
        TransactionScope tx(*db);
        ASSERT_TRUE(tx.began());
        auto insert = db->prepare(QStringLiteral("INSERT INTO [t] ([a], [b]) VALUES (?, ?)"));
        ASSERT_TRUE(insert) << db->lastError().toStdString();
        EXPECT_EQ(insert->parameterCount(), 2);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(insert->execute({CellValue::number(i), CellValue::text("x")}), 1);
    } // not committed
    EXPECT_EQ(db->query(QStringLiteral("SELECT count(*) FROM [t]"))->at(0, 0),
              CellValue::number(0));
    {
        TransactionScope tx(*db);
        EXPECT_EQ(
            db->execute(QStringLiteral("INSERT INTO [t] ([a]) VALUES (?)"), {CellValue::number(7)}),
            1);
        EXPECT_TRUE(tx.commit());
    }
    EXPECT_EQ(db->query(QStringLiteral("SELECT [a] FROM [t]"))->at(0, 0), CellValue::number(7));
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE [t] SET [b] = 'y'")), 1);
}

TEST_F(SqliteConnectionTest, ATableCreatedWithoutColumnsGetsItsFirstColumnCleanly) {
    run("CREATE TABLE [Result]");
    run("ALTER TABLE [Result] ADD COLUMN [PopID] TEXT(12)");
    run("CREATE UNIQUE INDEX [PopID] ON [Result] (PopID) WITH PRIMARY");
    run("ALTER TABLE [Result] ADD COLUMN [N] SINGLE");
    const auto cols = db->columns();
    ASSERT_TRUE(cols);
    ASSERT_EQ(cols->size(), 2u);
    EXPECT_EQ((*cols)[0].name, QStringLiteral("PopID"));
    EXPECT_EQ((*cols)[0].typeCode, AdoType::VarWChar);
    EXPECT_EQ((*cols)[0].maxLength, 12);
    EXPECT_EQ((*cols)[1].name, QStringLiteral("N"));
    EXPECT_EQ((*cols)[1].typeCode, AdoType::Single);
    run("INSERT INTO [Result] ([PopID], [N]) VALUES ('a', 1)");
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO [Result] ([PopID]) VALUES ('a')")));
}

TEST_F(SqliteConnectionTest, DescribesTablesViewsColumnsIndexesKeysAndOrigins) {
    run("CREATE TABLE [Sample] ([SampleID] INTEGER PRIMARY KEY, [Name] TEXT(40), [Site] LONG)");
    run("CREATE TABLE [Assay] ([SampleID] LONG, [Element] TEXT(2), [Value] DOUBLE, "
        "[Remark] MEMO, [When] DATE, "
        "PRIMARY KEY ([SampleID], [Element]), FOREIGN KEY ([SampleID]) REFERENCES [Sample] "
        "([SampleID]))");
    run("CREATE INDEX [ix_value] ON [Assay] ([Value], [SampleID])");
    run("CREATE VIEW [f_gold] AS SELECT [Assay].[SampleID], [Assay].[Value] * 2 AS [Twice] FROM "
        "[Assay] "
        "WHERE [Element] = 'Au'");

    const auto tables = db->tables();
    ASSERT_TRUE(tables);
    ASSERT_EQ(tables->size(), 3u);
    EXPECT_EQ((*tables)[0].name, QStringLiteral("Sample"));
    EXPECT_EQ((*tables)[0].kind, TableDescription::Kind::Table);
    EXPECT_EQ((*tables)[2].kind, TableDescription::Kind::View);
    EXPECT_EQ(
        (*tables)[2].viewText,
        QStringLiteral("SELECT [Assay].[SampleID], [Assay].[Value] * 2 AS [Twice] FROM [Assay] "
                       "WHERE [Element] = 'Au'"));

    const auto cols = db->columns();
    ASSERT_TRUE(cols);
    std::vector<std::tuple<QString, QString, int, int, int>> got;
    for (const auto& c : *cols)
        got.emplace_back(c.table, c.name, c.ordinal, c.typeCode, c.maxLength);
    const std::vector<std::tuple<QString, QString, int, int, int>> want = {
        {"Sample", "SampleID", 1, AdoType::Integer, -1},
        {"Sample", "Name", 2, AdoType::VarWChar, 40},
        {"Sample", "Site", 3, AdoType::Integer, -1},
        {"Assay", "SampleID", 1, AdoType::Integer, -1},
        {"Assay", "Element", 2, AdoType::VarWChar, 2},
        {"Assay", "Value", 3, AdoType::Double, -1},
        {"Assay", "Remark", 4, AdoType::LongVarWChar, -1},
        {"Assay", "When", 5, AdoType::Date, -1},
        {"f_gold", "SampleID", 1, AdoType::Integer, -1},
        {"f_gold", "Twice", 2, AdoType::Variant, -1}};
    EXPECT_EQ(got, want);

    const auto idx = db->indexes();
    ASSERT_TRUE(idx);
    ASSERT_EQ(idx->size(), 3u);
    EXPECT_EQ((*idx)[0].table, QStringLiteral("Sample")); // the rowid key, which has no index entry
    EXPECT_EQ((*idx)[0].columns, QStringList{"SampleID"});
    EXPECT_TRUE((*idx)[0].primaryKey);
    EXPECT_EQ((*idx)[1].columns, (QStringList{"SampleID", "Element"}));
    EXPECT_TRUE((*idx)[1].primaryKey);
    EXPECT_EQ((*idx)[2].name, QStringLiteral("ix_value"));
    EXPECT_EQ((*idx)[2].columns, (QStringList{"Value", "SampleID"}));
    EXPECT_FALSE((*idx)[2].unique);

    const auto fks = db->foreignKeys();
    ASSERT_TRUE(fks);
    ASSERT_EQ(fks->size(), 1u);
    EXPECT_EQ((*fks)[0].table, QStringLiteral("Assay"));
    EXPECT_EQ((*fks)[0].referencedTable, QStringLiteral("Sample"));
    EXPECT_EQ((*fks)[0].columns, QStringList{"SampleID"});
    EXPECT_EQ((*fks)[0].referencedColumns, QStringList{"SampleID"});

    const auto origins = db->columnOrigins(QStringLiteral("f_gold"));
    ASSERT_TRUE(origins) << db->lastError().toStdString();
    ASSERT_EQ(origins->size(), 2u);
    EXPECT_EQ((*origins)[0].baseTable, QStringLiteral("Assay"));
    EXPECT_EQ((*origins)[0].baseColumn, QStringLiteral("SampleID"));
    EXPECT_EQ((*origins)[1].column, QStringLiteral("Twice"));
    EXPECT_TRUE((*origins)[1].baseTable.isEmpty());
}

TEST(SqliteConnectionOpen, FailsOnMissingFilesAndOnFilesThatAreNoDatabase) {
    QTemporaryDir dir;
    EXPECT_FALSE(SqliteConnection::open(dir.filePath(QStringLiteral("none.sqlite"))).ok());
    QFile junk(dir.filePath(QStringLiteral("junk.db")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    const auto opened = SqliteConnection::open(junk.fileName());
    EXPECT_FALSE(opened.ok());
    EXPECT_FALSE(opened.error.isEmpty());
}

TEST_F(SqliteConnectionTest, StreamsTheSameRowsAsQueryAndReportsFailure) {
    expectStreamingMatchesQuery(*db);
}

} // namespace

TEST(SqliteConnectionClose, AStatementThatOutlivesItsConnectionFailsCleanly) {
    QTemporaryDir dir;
    auto opened = SqliteConnection::open(dir.filePath(QStringLiteral("a.db")),
                                         SqliteConnection::Mode::ReadWriteCreate);
    ASSERT_TRUE(opened.ok());
    ASSERT_TRUE(opened.connection->execute(QStringLiteral("CREATE TABLE [t] ([a] LONG)")));
    auto insert = opened.connection->prepare(QStringLiteral("INSERT INTO [t] VALUES (?)"));
    ASSERT_TRUE(insert);
    opened.connection->close();
    EXPECT_FALSE(opened.connection->isOpen());
    EXPECT_FALSE(insert->execute({CellValue::number(1)}));
    EXPECT_EQ(insert->lastError(), QStringLiteral("The database is not open"));
    EXPECT_FALSE(opened.connection->query(QStringLiteral("SELECT 1")));
}
