#include "platform/postgres/PgConnection.h"
#include "platform/AdoType.h"
#include "platform/SqlDialectTranslator.h"
#include "platform/TransactionScope.h"
#include "support/StreamingReadCheck.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QString conninfo() {
    return qEnvironmentVariable("QUV_PG_CONNINFO");
}

// Each test works in a schema of its own, dropped at the end.
class PgConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (conninfo().isEmpty())
            GTEST_SKIP() << "QUV_PG_CONNINFO is not set: no PostgreSQL server to test against "
                            "(./quv test starts one)";
        auto opened = PgConnection::open(conninfo());
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        db = std::move(opened.connection);
        schema = QStringLiteral("quv_test_%1").arg(QRandomGenerator::global()->generate());
        native().executeNative(QStringLiteral("CREATE SCHEMA ") + schema);
        ASSERT_TRUE(native().executeNative(QStringLiteral("SET search_path TO ") + schema))
            << db->lastError().toStdString();
    }
    void TearDown() override {
        if (db)
            native().executeNative(QStringLiteral("DROP SCHEMA ") + schema +
                                   QStringLiteral(" CASCADE"));
    }
    PgConnection& native() { return static_cast<PgConnection&>(*db); }
    void run(const char* jet, const std::vector<CellValue>& values = {}) {
        ASSERT_TRUE(db->execute(QString::fromUtf8(jet), values))
            << jet << ": " << db->lastError().toStdString();
    }

    std::unique_ptr<Connection> db;
    QString schema;
};

TEST_F(PgConnectionTest, RoundTripsValuesThroughJetTextAndBoundMarkers) {
    run("CREATE TABLE [Rock Assay] ([Sample ID] STRING(10), [Note] MEMO, [Au] DOUBLE, [Cu] SINGLE, "
        "[Taken] DATE, [Ok] BOOLEAN, [n] LONG)");
    const QDateTime taken(QDate(632, 1, 2), QTime(13, 45, 10), Qt::UTC);
    run("INSERT INTO [Rock Assay] VALUES (?, ?, ?, ?, ?, ?, ?)",
        {CellValue::text("00123"), CellValue::text(""), CellValue::number(0.1),
         CellValue::number(2.5), CellValue::date(taken), CellValue::boolean(true),
         CellValue::number(-7)});
    run("INSERT INTO [Rock Assay] VALUES (?, ?, ?, ?, ?, ?, ?)",
        {CellValue::text("O'Brien]"), CellValue::null(), CellValue::null(), CellValue::null(),
         CellValue::null(), CellValue::null(), CellValue()});
    const auto rows = db->query(
        QStringLiteral(
            "SELECT * FROM [Rock Assay] WHERE [Sample ID] Like ? ORDER BY [Sample ID] DESC"),
        {CellValue::text("%")});
    ASSERT_TRUE(rows) << db->lastError().toStdString();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->at(1, 0), CellValue::text("00123"));
    EXPECT_EQ(rows->at(1, 1), CellValue::text(""));
    EXPECT_EQ(rows->at(1, 2), CellValue::number(0.1));
    EXPECT_EQ(rows->at(1, 3), CellValue::number(2.5));
    EXPECT_EQ(rows->at(1, 4), CellValue::date(taken));
    EXPECT_EQ(rows->at(1, 5), CellValue::boolean(true));
    EXPECT_EQ(rows->at(1, 6), CellValue::number(-7));
    EXPECT_EQ(rows->at(0, 0), CellValue::text("O'Brien]"));
    for (int c = 1; c < 7; ++c)
        EXPECT_TRUE(rows->at(0, c).isNull()) << c;

    // Like matches without regard to case, as in Jet.
    const auto like =
        db->query(QStringLiteral("SELECT [Sample ID] FROM [Rock Assay] WHERE [Sample ID] "
                                 "Like 'o''b%'"));
    ASSERT_TRUE(like) << db->lastError().toStdString();
    ASSERT_EQ(like->rowCount(), 1);
    const auto sorted =
        db->query(QStringLiteral("SELECT [n], [Sample ID] FROM [Rock Assay] ORDER BY 1 AND 2"));
    ASSERT_TRUE(sorted) << db->lastError().toStdString();
}

TEST_F(PgConnectionTest, TransactionsPreparedStatementsAndErrors) {
    run("CREATE TABLE [t] ([a] LONG, [b] TEXT(5))");
    {
        TransactionScope tx(*db);
        auto insert = db->prepare(QStringLiteral("INSERT INTO [t] ([a], [b]) VALUES (?, ?)"));
        ASSERT_TRUE(insert) << db->lastError().toStdString();
        EXPECT_EQ(insert->parameterCount(), 2);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(insert->execute({CellValue::number(i), CellValue::text("x")}), 1);
        EXPECT_FALSE(insert->execute({CellValue::number(1)}));
    }
    EXPECT_EQ(db->query(QStringLiteral("SELECT count(*) FROM [t]"))->at(0, 0),
              CellValue::number(0));
    {
        TransactionScope tx(*db);
        run("INSERT INTO [t] VALUES (1, 'a')");
        run("INSERT INTO [t] VALUES (2, 'b')");
        EXPECT_TRUE(tx.commit());
    }
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE [t] SET [b] = 'c'")), 2);
    EXPECT_FALSE(db->execute(QStringLiteral("DELETE FROM [t]; DROP TABLE [t]")));
    EXPECT_EQ(db->lastError(), SqlDialectTranslator::secondStatementError());
    EXPECT_FALSE(db->query(QStringLiteral("SELECT * FROM [missing]")));
    EXPECT_TRUE(db->lastError().contains(QLatin1String("missing")))
        << db->lastError().toStdString();
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO [t] ([b]) VALUES ('far too long')")));
}

TEST_F(PgConnectionTest, ViewsKeepTheJetTextTheyWereCreatedWith) {
    run("CREATE TABLE [Sample] ([SampleID] LONG, [Name] TEXT(40))");
    run("INSERT INTO [Sample] VALUES (1, 'O''Brien')");
    const QString jet =
        QStringLiteral("SELECT * FROM [Sample] WHERE ([Sample].[Name] Like 'o''b%' OR "
                       "[Sample].[Name] = \"a\\b\")");
    ASSERT_TRUE(db->execute(QStringLiteral("CREATE VIEW [f_quote] AS ") + jet + u';'))
        << db->lastError().toStdString();
    // Made inside a transaction that is rolled back, neither the view nor its text remain.
    {
        TransactionScope transaction(*db);
        run("CREATE VIEW [f_gone] AS SELECT * FROM [Sample]");
    }
    // A view made without the Jet text reads as PostgreSQL wrote it.
    ASSERT_TRUE(
        native().executeNative(QStringLiteral("CREATE VIEW plain AS SELECT * FROM \"Sample\"")));
    const auto tables = db->tables();
    ASSERT_TRUE(tables) << db->lastError().toStdString();
    ASSERT_EQ(tables->size(), 3u);
    EXPECT_EQ((*tables)[1].name, QStringLiteral("f_quote"));
    EXPECT_EQ((*tables)[1].viewText, jet);
    EXPECT_TRUE((*tables)[2].viewText.contains(QLatin1String("FROM \"Sample\"")))
        << (*tables)[2].viewText.toStdString();
    const auto rows = db->query(QStringLiteral("SELECT COUNT(*) FROM [f_quote]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(0, 0).toNumber(), 1.0);
    // Replaced by other means, the view no longer matches its Jet text, which is then ignored.
    ASSERT_TRUE(native().executeNative(QStringLiteral(
        "CREATE OR REPLACE VIEW \"f_quote\" AS SELECT * FROM \"Sample\" WHERE \"SampleID\" = 2")));
    const auto replaced = db->tables();
    ASSERT_TRUE(replaced);
    EXPECT_NE((*replaced)[1].viewText, jet);
    EXPECT_TRUE((*replaced)[1].viewText.contains(QLatin1String("= 2")))
        << (*replaced)[1].viewText.toStdString();
    // A view that cannot be made leaves no comment behind and reports the engine's reason.
    EXPECT_FALSE(db->execute(QStringLiteral("CREATE VIEW [f_bad] AS SELECT * FROM [Nowhere]")));
    EXPECT_TRUE(db->lastError().contains(QLatin1String("Nowhere")))
        << db->lastError().toStdString();
    run("INSERT INTO [Sample] VALUES (2, 'x')"); // the session is usable again
}

TEST_F(PgConnectionTest, DescribesSchemaWithoutOrdinalGapsAndFollowsViewsToTheirTables) {
    run("CREATE TABLE [Sample] ([SampleID] LONG, [Gone] LONG, [Name] TEXT(40))");
    run("ALTER TABLE [Sample] DROP COLUMN [Gone]");
    run("CREATE UNIQUE INDEX [pk_sample] ON [Sample] ([SampleID]) WITH PRIMARY");
    run("CREATE TABLE [Assay] ([SampleID] LONG, [Element] TEXT(2), [Value] DOUBLE, [When] DATE, "
        "CONSTRAINT [fk] FOREIGN KEY ([SampleID]) REFERENCES [Sample] ([SampleID]))");
    run("CREATE INDEX [ix_a] ON [Assay] ([Element], [SampleID])");
    run("CREATE VIEW [q_gold] AS SELECT [Assay].[SampleID], [Assay].[Value] * 2 AS [Twice] FROM "
        "[Assay]");
    run("CREATE VIEW [f_gold] AS SELECT [q_gold].[SampleID], [Sample].[Name] FROM [q_gold], "
        "[Sample] "
        "WHERE [q_gold].[SampleID] = [Sample].[SampleID]");

    const auto tables = db->tables();
    ASSERT_TRUE(tables) << db->lastError().toStdString();
    ASSERT_EQ(tables->size(), 4u);
    EXPECT_EQ((*tables)[0].name, QStringLiteral("Assay"));
    EXPECT_EQ((*tables)[1].name, QStringLiteral("Sample"));
    EXPECT_EQ((*tables)[2].name, QStringLiteral("f_gold"));
    EXPECT_EQ((*tables)[2].kind, TableDescription::Kind::View);
    EXPECT_TRUE((*tables)[2].viewText.startsWith(QLatin1String("SELECT")))
        << (*tables)[2].viewText.toStdString();

    const auto cols = db->columns();
    ASSERT_TRUE(cols);
    std::vector<std::tuple<QString, QString, int, int, int>> got;
    for (const auto& c : *cols)
        if (c.table == QLatin1String("Sample") || c.table == QLatin1String("Assay"))
            got.emplace_back(c.table, c.name, c.ordinal, c.typeCode, c.maxLength);
    const std::vector<std::tuple<QString, QString, int, int, int>> want = {
        {"Assay", "SampleID", 1, AdoType::Integer, -1},
        {"Assay", "Element", 2, AdoType::VarWChar, 2},
        {"Assay", "Value", 3, AdoType::Double, -1},
        {"Assay", "When", 4, AdoType::DbTimeStamp, -1},
        {"Sample", "SampleID", 1, AdoType::Integer, -1},
        {"Sample", "Name", 2, AdoType::VarWChar, 40}};
    EXPECT_EQ(got, want);

    const auto idx = db->indexes();
    ASSERT_TRUE(idx);
    ASSERT_EQ(idx->size(), 2u);
    EXPECT_EQ((*idx)[0].columns, (QStringList{"Element", "SampleID"}));
    EXPECT_EQ((*idx)[1].table, QStringLiteral("Sample"));
    EXPECT_TRUE((*idx)[1].primaryKey);

    const auto fks = db->foreignKeys();
    ASSERT_TRUE(fks);
    ASSERT_EQ(fks->size(), 1u);
    EXPECT_EQ((*fks)[0].referencedTable, QStringLiteral("Sample"));
    EXPECT_EQ((*fks)[0].referencedColumns, QStringList{"SampleID"});

    const auto origins = db->columnOrigins(QStringLiteral("f_gold"));
    ASSERT_TRUE(origins) << db->lastError().toStdString();
    ASSERT_EQ(origins->size(), 2u);
    EXPECT_EQ((*origins)[0].baseTable, QStringLiteral("Assay")); // through the view q_gold
    EXPECT_EQ((*origins)[0].baseColumn, QStringLiteral("SampleID"));
    EXPECT_EQ((*origins)[1].baseTable, QStringLiteral("Sample"));
    EXPECT_EQ((*origins)[1].baseColumn, QStringLiteral("Name"));
    const auto computed = db->columnOrigins(QStringLiteral("q_gold"));
    ASSERT_TRUE(computed);
    EXPECT_TRUE((*computed)[1].baseTable.isEmpty());
}

TEST_F(PgConnectionTest, AStatementThatOutlivesItsConnectionFailsCleanly) {
    run("CREATE TABLE [t] ([a] LONG)");
    auto insert = db->prepare(QStringLiteral("INSERT INTO [t] VALUES (?)"));
    ASSERT_TRUE(insert);
    EXPECT_EQ(insert->execute({CellValue::number(1)}), 1);
    native().executeNative(QStringLiteral("DROP SCHEMA ") + schema + QStringLiteral(" CASCADE"));
    db->close();
    EXPECT_FALSE(insert->execute({CellValue::number(2)}));
    EXPECT_EQ(insert->lastError(), QStringLiteral("The database is not open"));
    db.reset();
}

TEST_F(PgConnectionTest, BuildsATableColumnByColumnAsJetSchemaEditingDoes) {
    run("CREATE TABLE [Result]");
    run("ALTER TABLE [Result] ADD COLUMN [PopID] TEXT(12)");
    run("CREATE UNIQUE INDEX [PopID] ON [Result] (PopID) WITH PRIMARY");
    run("ALTER TABLE [Result] ADD COLUMN [N] SINGLE");
    run("INSERT INTO [Result] ([PopID], [N]) VALUES ('00123', 1.5)");
    EXPECT_FALSE(db->execute(QStringLiteral("INSERT INTO [Result] ([PopID]) VALUES ('00123')")));
    const auto cols = db->columns();
    ASSERT_TRUE(cols);
    ASSERT_EQ(cols->size(), 2u);
    EXPECT_EQ((*cols)[0].maxLength, 12);
    EXPECT_EQ((*cols)[1].typeCode, AdoType::Single);
    const auto idx = db->indexes();
    ASSERT_TRUE(idx);
    ASSERT_EQ(idx->size(), 1u);
    EXPECT_TRUE((*idx)[0].primaryKey);
    EXPECT_EQ((*idx)[0].columns, QStringList{"PopID"});
    const auto rows = db->query(QStringLiteral("SELECT [PopID] FROM [Result]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(0, 0), CellValue::text("00123"));
}

TEST(PgConnectionOpen, ReportsTheServersReasonAndTakesUserFromTheCaller) {
    if (conninfo().isEmpty())
        GTEST_SKIP() << "QUV_PG_CONNINFO is not set: no PostgreSQL server to test against";
    const auto wrongUser = PgConnection::open(conninfo(), QStringLiteral("nobody_here"));
    EXPECT_FALSE(wrongUser.ok());
    EXPECT_TRUE(wrongUser.error.contains(QLatin1String("nobody_here")))
        << wrongUser.error.toStdString();
    const auto noService = PgConnection::open(QStringLiteral("quv_no_such_service"));
    EXPECT_FALSE(noService.ok());
    EXPECT_FALSE(noService.error.isEmpty());
}

TEST_F(PgConnectionTest, StreamsTheSameRowsAsQueryAndReportsFailure) {
    expectStreamingMatchesQuery(*db);
}

} // namespace
