#include "platform/SqlDialectTranslator.h"
#include "platform/JetSqlQuoting.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* jet;
    const char* sqlite;
    const char* postgres;
};

// Each row: Jet text as the builders emit it, then what each engine must receive.
const Case cases[] = {
    // Names: brackets stay for SQLite unless the name holds "]"; PostgreSQL gets quoted names.
    {"SELECT [Rock Type].[Sio2 %] FROM [Rock Type]", "SELECT [Rock Type].[Sio2 %] FROM [Rock Type]",
     "SELECT \"Rock Type\".\"Sio2 %\" FROM \"Rock Type\""},
    {"SELECT [a]]b] FROM [t]", "SELECT \"a]b\" FROM [t]", "SELECT \"a]b\" FROM \"t\""},
    {"SELECT [say \"hi\"] FROM [it's]", "SELECT [say \"hi\"] FROM [it's]",
     "SELECT \"say \"\"hi\"\"\" FROM \"it's\""},
    // Literals: brackets, quotes and Like inside them are never touched.
    {"SELECT * FROM [t] WHERE [n] = '[not a name]'", "SELECT * FROM [t] WHERE [n] = '[not a name]'",
     "SELECT * FROM \"t\" WHERE \"n\" = '[not a name]'"},
    {"SELECT * FROM [t] WHERE [n] = 'x Like y' AND [m] Like 'a%'",
     "SELECT * FROM [t] WHERE [n] = 'x Like y' AND [m] Like 'a%'",
     "SELECT * FROM \"t\" WHERE \"n\" = 'x Like y' AND \"m\" ILIKE 'a%'"},
    {"SELECT * FROM [t] WHERE [n] Not Like \"O'Brien*\"",
     "SELECT * FROM [t] WHERE [n] Not Like 'O''Brien*'",
     "SELECT * FROM \"t\" WHERE \"n\" Not ILIKE 'O''Brien*'"},
    {"SELECT * FROM [t] WHERE [n] = 'it''s; fine'", "SELECT * FROM [t] WHERE [n] = 'it''s; fine'",
     "SELECT * FROM \"t\" WHERE \"n\" = 'it''s; fine'"},
    {"SELECT * FROM [t] WHERE [n] = \"say \"\"x\"\"\"", "SELECT * FROM [t] WHERE [n] = 'say \"x\"'",
     "SELECT * FROM \"t\" WHERE \"n\" = 'say \"x\"'"},
    // ORDER BY 1 AND 2 sorts by both; an AND elsewhere stays.
    {"SELECT [t].[x], [t].[y] FROM [t] WHERE [t].[x] Is Not Null AND [t].[y] Is Not Null ORDER BY "
     "1 AND 2",
     "SELECT [t].[x], [t].[y] FROM [t] WHERE [t].[x] Is Not Null AND [t].[y] Is Not Null ORDER BY "
     "1, 2",
     "SELECT \"t\".\"x\", \"t\".\"y\" FROM \"t\" WHERE \"t\".\"x\" Is Not Null AND \"t\".\"y\" Is "
     "Not "
     "Null ORDER BY 1, 2"},
    {"SELECT * FROM (SELECT [a] FROM [t] ORDER BY 1 AND 2) WHERE [a] > 1 AND [a] < 5",
     "SELECT * FROM (SELECT [a] FROM [t] ORDER BY 1, 2) WHERE [a] > 1 AND [a] < 5",
     "SELECT * FROM (SELECT \"a\" FROM \"t\" ORDER BY 1, 2) WHERE \"a\" > 1 AND \"a\" < 5"},
    {"SELECT [a] FROM [t] ORDER BY 1 ASC, 2 ASC", "SELECT [a] FROM [t] ORDER BY 1 ASC, 2 ASC",
     "SELECT \"a\" FROM \"t\" ORDER BY 1 ASC, 2 ASC"},
    // Bare names keep their case on PostgreSQL; function calls and keywords stay bare.
    {"SELECT Count(*) FROM QUVPop WHERE PopID = ?", "SELECT Count(*) FROM QUVPop WHERE PopID = ?",
     "SELECT Count(*) FROM \"QUVPop\" WHERE \"PopID\" = $1"},
    {"INSERT INTO [t] ([a], [b]) VALUES (?, ?)", "INSERT INTO [t] ([a], [b]) VALUES (?, ?)",
     "INSERT INTO \"t\" (\"a\", \"b\") VALUES ($1, $2)"},
    {"SELECT [a] & ' ' & [b] FROM [t]", "SELECT [a] || ' ' || [b] FROM [t]",
     "SELECT \"a\" || ' ' || \"b\" FROM \"t\""},
    {"SELECT * FROM [t] WHERE [d] > #12/31/2020#",
     "SELECT * FROM [t] WHERE [d] > '2020-12-31 00:00:00'",
     "SELECT * FROM \"t\" WHERE \"d\" > '2020-12-31 00:00:00'"},
    {"SELECT DISTINCTROW [a].*, [b].* FROM [a], [b] WHERE [a].[k] Mod 2 = [b].[k]",
     "SELECT DISTINCT [a].*, [b].* FROM [a], [b] WHERE [a].[k] % 2 = [b].[k]",
     "SELECT DISTINCT \"a\".*, \"b\".* FROM \"a\", \"b\" WHERE \"a\".\"k\" % 2 = \"b\".\"k\""},
    {"SELECT DISTINCT ([t].[f]) FROM [t]", "SELECT DISTINCT ([t].[f]) FROM [t]",
     "SELECT DISTINCT (\"t\".\"f\") FROM \"t\""},
    {"SELECT * FROM [t];", "SELECT * FROM [t]", "SELECT * FROM \"t\""},
    // DDL: Jet types become each engine's; STRING/MEMO get TEXT affinity on SQLite.
    {"ALTER TABLE [t] ADD COLUMN [f] SINGLE", "ALTER TABLE [t] ADD COLUMN [f] FLOAT",
     "ALTER TABLE \"t\" ADD COLUMN \"f\" REAL"},
    {"ALTER TABLE [t] ADD COLUMN [f] STRING(25)", "ALTER TABLE [t] ADD COLUMN [f] VARCHAR(25)",
     "ALTER TABLE \"t\" ADD COLUMN \"f\" VARCHAR(25)"},
    {"ALTER TABLE [QUV] ADD COLUMN [PopID] TEXT(12)",
     "ALTER TABLE [QUV] ADD COLUMN [PopID] VARCHAR(12)",
     "ALTER TABLE \"QUV\" ADD COLUMN \"PopID\" VARCHAR(12)"},
    {"CREATE TABLE [t] ([Date] DATE, [n] LONG, [s] TEXT (10), [m] MEMO, [b] BOOLEAN, [d] DOUBLE)",
     "CREATE TABLE [t] ([Date] DATETIME, [n] INTEGER, [s] VARCHAR (10), [m] TEXT, [b] BOOLEAN, [d] "
     "DOUBLE)",
     "CREATE TABLE \"t\" (\"Date\" TIMESTAMP, \"n\" INTEGER, \"s\" VARCHAR (10), \"m\" TEXT, \"b\" "
     "BOOLEAN, \"d\" DOUBLE PRECISION)"},
    {"CREATE TABLE [t] ([Text] TEXT, [Long] DOUBLE)",
     "CREATE TABLE [t] ([Text] VARCHAR(255), [Long] DOUBLE)",
     "CREATE TABLE \"t\" (\"Text\" VARCHAR(255), \"Long\" DOUBLE PRECISION)"},
    {"CREATE TEMPORARY TABLE [k] ([Key] DOUBLE)", "CREATE TEMPORARY TABLE [k] ([Key] DOUBLE)",
     "CREATE TEMPORARY TABLE \"k\" (\"Key\" DOUBLE PRECISION)"},
    {"CREATE TABLE [New]", "CREATE TABLE [New] (\"quv_no_columns_yet\" INTEGER)",
     "CREATE TABLE \"New\" ()"},
    {"CREATE UNIQUE INDEX [PopID] ON [Res] (PopID) WITH PRIMARY",
     "CREATE UNIQUE INDEX [PopID] ON [Res] (PopID)",
     "ALTER TABLE \"Res\" ADD CONSTRAINT \"PopID\" PRIMARY KEY (\"PopID\")"},
    {"CREATE INDEX Sample ON [Assay] (Sample)", "CREATE INDEX Sample ON [Assay] (Sample)",
     "CREATE INDEX \"Sample\" ON \"Assay\" (\"Sample\")"},
    // Type words outside a type position are names or literals, not types.
    {"SELECT [Single], 'MEMO' FROM [t] WHERE [Text] = 'TEXT(5)'",
     "SELECT [Single], 'MEMO' FROM [t] WHERE [Text] = 'TEXT(5)'",
     "SELECT \"Single\", 'MEMO' FROM \"t\" WHERE \"Text\" = 'TEXT(5)'"},
};

class Translation : public ::testing::TestWithParam<Case> {};

TEST_P(Translation, GivesEachEngineItsDialect) {
    const Case& c = GetParam();
    const auto s = SqlDialectTranslator::translate(QString::fromUtf8(c.jet), SqlDialect::Sqlite);
    const auto p = SqlDialectTranslator::translate(QString::fromUtf8(c.jet), SqlDialect::Postgres);
    ASSERT_TRUE(s.ok()) << s.error.toStdString();
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    EXPECT_EQ(s.sql.toStdString(), c.sqlite);
    EXPECT_EQ(p.sql.toStdString(), c.postgres);
}

INSTANTIATE_TEST_SUITE_P(JetText, Translation, ::testing::ValuesIn(cases));

TEST(SqlDialectTranslator, RefusesASecondStatementButNotASemicolonInsideLiteralsOrNames) {
    for (const char* jet :
         {"SELECT 1; DROP TABLE [t]", "DELETE FROM [t];SELECT 1", "SELECT [a;b] FROM [t]; ;x"}) {
        const auto r = SqlDialectTranslator::translate(QString::fromUtf8(jet), SqlDialect::Sqlite);
        EXPECT_FALSE(r.ok()) << jet;
        EXPECT_EQ(r.error, SqlDialectTranslator::secondStatementError()) << jet;
    }
    for (const char* jet : {"SELECT ';' FROM [t]", "SELECT [a;b] FROM [t];  ", "SELECT \";\";;"}) {
        const auto r =
            SqlDialectTranslator::translate(QString::fromUtf8(jet), SqlDialect::Postgres);
        EXPECT_TRUE(r.ok()) << jet << ": " << r.error.toStdString();
    }
}

TEST(SqlDialectTranslator, ReportsUnterminatedNamesLiteralsAndBadDates) {
    for (const char* jet : {"SELECT [a FROM t", "SELECT 'abc", "SELECT \"abc", "SELECT #1/2/2000",
                            "SELECT #not a date#", "   "}) {
        const auto r = SqlDialectTranslator::translate(QString::fromUtf8(jet), SqlDialect::Sqlite);
        EXPECT_FALSE(r.ok()) << jet;
        EXPECT_FALSE(r.error.isEmpty()) << jet;
    }
}

TEST(SqlDialectTranslator, CountsParametersOutsideLiterals) {
    const auto r = SqlDialectTranslator::translate(
        QStringLiteral("UPDATE [t] SET [a] = ?, [b] = '?' WHERE [c] = ? AND [d] = \"?\""),
        SqlDialect::Postgres);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.parameterCount, 2);
    EXPECT_EQ(r.sql, QStringLiteral("UPDATE \"t\" SET \"a\" = $1, \"b\" = '?' WHERE \"c\" = $2 AND "
                                    "\"d\" = '?'"));
}

TEST(JetSqlQuoting, NamesAndTextsRoundTripThroughTranslation) {
    const QString name = QStringLiteral("we]ird [name] \"x\" 'y'");
    const QString value = QStringLiteral("O'Brien [x] \"y\"");
    const QString jet = QStringLiteral("SELECT %1 FROM [t] WHERE %1 = %2")
                            .arg(JetSqlQuoting::name(name), JetSqlQuoting::text(value));
    const auto p = SqlDialectTranslator::translate(jet, SqlDialect::Postgres);
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    EXPECT_EQ(p.sql, QStringLiteral("SELECT \"we]ird [name] \"\"x\"\" 'y'\" FROM \"t\" WHERE "
                                    "\"we]ird [name] \"\"x\"\" 'y'\" = 'O''Brien [x] \"y\"'"));
}

} // namespace
