#include "query/QueryTableChooser.h"

#include "platform/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Links every table on SampleNo, as the catalogue of the sample database does.
class SampleNoLinks : public JoinConditionSource {
public:
    QString joinCondition(const QStringList& tables) const override {
        calls.push_back(tables);
        QStringList terms;
        for (qsizetype j = 1; j < tables.size(); ++j)
            terms << QStringLiteral("[%1].[SampleNo]=[%2].[SampleNo]").arg(tables[0], tables[j]);
        return terms.join(QStringLiteral(" AND "));
    }
    mutable std::vector<QStringList> calls;
};

class NoLinks : public JoinConditionSource {
public:
    QString joinCondition(const QStringList&) const override { return {}; }
};

// Runs what it is given on a real SQLite file and remembers the rows, so a statement that the
// engine rejects fails the test.
class SqliteGrid : public QueryGridHost {
public:
    SqliteGrid() {
        EXPECT_TRUE(dir.isValid());
        const QByteArray path = dir.filePath(QStringLiteral("query.sqlite")).toUtf8();
        EXPECT_EQ(sqlite3_open(path.constData(), &db), SQLITE_OK);
        exec("CREATE TABLE Sample (SampleNo INTEGER PRIMARY KEY, Rock TEXT);"
             "CREATE TABLE Assay (SampleNo INTEGER, Au REAL);"
             "INSERT INTO Sample VALUES (1,'granite'),(2,'basalt'),(3,'gabbro');"
             "INSERT INTO Assay VALUES (1,0.5),(2,2.5),(3,4.0),(4,9.0);"
             "CREATE VIEW f_Gold AS SELECT * FROM Assay WHERE Au > 1;");
    }
    ~SqliteGrid() override { sqlite3_close(db); }

    void exec(const char* sql) {
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
        sqlite3_free(error);
    }

    bool openInGrid(const QString& statement) override {
        opened << statement;
        rows.clear();
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = statement.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
            lastError = QString::fromUtf8(sqlite3_errmsg(db));
            return false;
        }
        while (sqlite3_step(st) == SQLITE_ROW) {
            QStringList row;
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                row << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            rows << row.join(u'|');
        }
        sqlite3_finalize(st);
        return true;
    }

    QTemporaryDir dir;
    sqlite3* db = nullptr;
    QStringList opened;
    QStringList rows;
    QString lastError;
};

} // namespace

TEST(QueryTableChooser, WritesConditionAndJoinEachInParentheses) {
    struct Case {
        const char* picked;
        const char* from;
        const char* where;
        const char* join;
        const char* statement;
    } cases[] = {
        {"A", "[A], [B]", "[A].[X] > 1", "[A].[K]=[B].[K]",
         "SELECT [A].* FROM [A], [B] WHERE ([A].[X] > 1) AND ([A].[K]=[B].[K])"},
        {"A", "[A], [B]", "([A].[X] > 1) OR ([B].[Y] < 2)", "[A].[K]=[B].[K]",
         "SELECT [A].* FROM [A], [B] WHERE (([A].[X] > 1) OR ([B].[Y] < 2)) AND "
         "([A].[K]=[B].[K])"},
        {"A", "[A], [B]", "", "[A].[K]=[B].[K]",
         "SELECT [A].* FROM [A], [B] WHERE ([A].[K]=[B].[K])"},
        {"A", "[A], [B]", "[A].[X] > 1", "", "SELECT [A].* FROM [A], [B] WHERE ([A].[X] > 1)"},
        {"A", "[A], [B]", "", "", "SELECT [A].* FROM [A], [B]"},
        {"A]B", "[A]]B], [C]", "", "", "SELECT [A]]B].* FROM [A]]B], [C]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueryTableChooser::buildStatement(
                      QString::fromUtf8(c.picked).split(u'|'), QString::fromUtf8(c.from),
                      QString::fromUtf8(c.where), QString::fromUtf8(c.join)),
                  QString::fromUtf8(c.statement))
            << c.statement;
    EXPECT_EQ(QueryTableChooser::buildStatement({"A", "B"}, "[A], [B]", "", ""),
              QStringLiteral("SELECT [A].*, [B].* FROM [A], [B]"));
}

TEST(QueryTableChooser, ListsTheTablesOfTheFromPart) {
    struct Case {
        const char* from;
        QStringList tables;
    } cases[] = {
        {"[A], [B]", {"A", "B"}},     {" [Assay] ,[f_Gold],Sample ", {"Assay", "f_Gold", "Sample"}},
        {"[A,B], [C]", {"A,B", "C"}}, {"[A]]], [B]", {"A]", "B"}},
        {"[A], , [B],", {"A", "B"}},  {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QueryTableChooser::fromTables(QString::fromUtf8(c.from)), c.tables) << c.from;
}

TEST(QueryTableChooser, OpensThePickedTablesRowsRestrictedByTheQuery) {
    ScriptedDialogs dialogs;
    SampleNoLinks links;
    SqliteGrid grid;
    QueryTableChooser chooser(dialogs, links, grid);
    chooser.load(QStringLiteral("SELECT [Sample].[Rock], [Assay].[Au] FROM [Assay], [Sample] "
                                "WHERE ([Assay].[Au] > 1) AND ([Assay].[SampleNo] IN (2,3,4)) "
                                "ORDER BY [Assay].[Au];"));
    EXPECT_EQ(chooser.tables(), (QStringList{"Assay", "Sample"}));

    ASSERT_TRUE(chooser.accept({QStringLiteral("Sample")})) << grid.lastError.toStdString();
    ASSERT_EQ(links.calls.size(), 1u);
    EXPECT_EQ(links.calls[0], (QStringList{"Sample", "Assay"}));
    EXPECT_EQ(chooser.statement(),
              QStringLiteral("SELECT [Sample].* FROM [Assay], [Sample] WHERE (([Assay].[Au] > 1) "
                             "AND ([Assay].[SampleNo] IN (2,3,4))) AND "
                             "([Sample].[SampleNo]=[Assay].[SampleNo])"));
    grid.rows.sort();
    EXPECT_EQ(grid.rows, (QStringList{"2|basalt", "3|gabbro"}));
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST(QueryTableChooser, JoinsAFilterOfTheQuery) {
    ScriptedDialogs dialogs;
    SampleNoLinks links;
    SqliteGrid grid;
    QueryTableChooser chooser(dialogs, links, grid);
    chooser.load(QStringLiteral("SELECT [Sample].* FROM [Sample], [f_Gold] WHERE "
                                "[Sample].[SampleNo]=[f_Gold].[SampleNo]"));
    ASSERT_TRUE(chooser.accept({QStringLiteral("Sample")})) << grid.lastError.toStdString();
    EXPECT_EQ(chooser.statement(), QStringLiteral("SELECT [Sample].* FROM [Sample], [f_Gold] WHERE "
                                                  "([Sample].[SampleNo]=[f_Gold].[SampleNo]) AND "
                                                  "([Sample].[SampleNo]=[f_Gold].[SampleNo])"));
    grid.rows.sort();
    EXPECT_EQ(grid.rows, (QStringList{"2|basalt", "3|gabbro"}));
}

TEST(QueryTableChooser, RunsWithoutConditionOrLinks) {
    ScriptedDialogs dialogs;
    NoLinks links;
    SqliteGrid grid;
    QueryTableChooser chooser(dialogs, links, grid);
    chooser.load(QStringLiteral("SELECT * FROM [Sample];"));
    EXPECT_EQ(chooser.tables(), QStringList{"Sample"});
    ASSERT_TRUE(chooser.accept({QStringLiteral("Sample")})) << grid.lastError.toStdString();
    EXPECT_EQ(chooser.statement(), QStringLiteral("SELECT [Sample].* FROM [Sample]"));
    EXPECT_EQ(grid.rows.size(), 3);
}

TEST(QueryTableChooser, AsksForATableWhenNoneIsPicked) {
    ScriptedDialogs dialogs;
    SampleNoLinks links;
    SqliteGrid grid;
    QueryTableChooser chooser(dialogs, links, grid);
    chooser.load(QStringLiteral("SELECT * FROM [Assay], [Sample]"));
    EXPECT_FALSE(chooser.accept({}));
    EXPECT_EQ(dialogs.texts(), QStringList{"No table selected"});
    EXPECT_TRUE(grid.opened.isEmpty());
    EXPECT_TRUE(links.calls.empty());
}
