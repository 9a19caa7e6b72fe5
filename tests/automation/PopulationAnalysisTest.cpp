// Population analysis on a real SQLite file and on a PostgreSQL server (skipped without
// QUV_PG_CONNINFO): one result row per population (a value with a quote among them), the
// statistics and memory edge cases, Exclude and If, a program without Analyze rows, and Abort
// between populations keeping the rows already stored.
#include "automation/PopulationAnalysis.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Asks to stop once the given number of populations has begun.
struct StoppingStatus : HeadlessStatus {
    int polls = 0;
    int stopAt = -1;
    bool abortRequested() override { return ++polls == stopAt || HeadlessStatus::abortRequested(); }
};

class PopulationAnalysisTest : public ::testing::TestWithParam<Engine> {
protected:
    QTemporaryDir dir;
    std::unique_ptr<PgScratchSchema> pg;
    ScriptedDialogs dialogs;
    StoppingStatus status;
    std::unique_ptr<Connection> data;
    std::unique_ptr<Connection> results;
    QStringList logged;

    OpenedConnection open(const char* file) {
        if (GetParam() == Engine::Postgres)
            return pg->open();
        return SqliteConnection::open(dir.filePath(file), SqliteConnection::Mode::ReadWriteCreate);
    }

    void SetUp() override {
        if (GetParam() == Engine::Postgres) {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pg = std::make_unique<PgScratchSchema>(QStringLiteral("quv_population"));
            ASSERT_TRUE(pg->ok()) << pg->error().toStdString();
        }
        auto opened = open("rocks.sqlite");
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        data = std::move(opened.connection);
        for (const char* sql :
             {"CREATE TABLE [Samples] ([SampleNo] TEXT(10) PRIMARY KEY, [Site] TEXT(50))",
              "CREATE TABLE [Chem] ([SampleNo] TEXT(10) PRIMARY KEY, [Cu] DOUBLE, [Zn] DOUBLE)",
              "INSERT INTO Samples VALUES ('S1','North'),('S2','North'),('S3','O''Hara'),"
              "('S4','O''Hara'),('S5','O''Hara'),('S6',NULL)",
              "INSERT INTO Chem VALUES ('S1',10,1),('S2',30,-2),('S3',5,3),('S4',-1,4),"
              "('S5',6,NULL),('S6',99,9)"})
            ASSERT_TRUE(data->execute(QString::fromUtf8(sql)))
                << sql << " " << data->lastError().toStdString();
        auto out = open("results.sqlite");
        ASSERT_TRUE(out.ok());
        results = std::move(out.connection);
    }

    void TearDown() override {
        data.reset();
        results.reset(); // both before their schema is dropped
        pg.reset();
    }

    PopulationAnalysis analysis(const std::vector<QStringList>& rows) {
        PopulationAnalysis a(*data, dialogs, status);
        a.definition = {"Samples", "Site", "SampleNo", {}};
        a.resultDatabase = results.get();
        a.resultDatabaseName = dir.filePath("results.sqlite");
        a.programFile = "Analysis.pmc";
        a.log = [this](const QString& line) { logged << line; };
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < rows[size_t(r)].size(); ++c)
                if (!rows[size_t(r)][c].isEmpty())
                    a.program.setText(r + 1, c + 1, rows[size_t(r)][c]);
        return a;
    }

    QStringList stored() {
        QStringList out;
        const auto rows = results->query("SELECT * FROM [Analysis] ORDER BY PopID");
        if (!rows)
            return out;
        for (qsizetype r = 0; r < rows->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rows->columnCount(); ++c)
                cells << rows->at(r, c).toText();
            out << cells.join('|');
        }
        return out;
    }
};

TEST_P(PopulationAnalysisTest, StoresOneRowPerPopulationAndKeepsAQuoteInTheValue) {
    PopulationAnalysis a = analysis({
        {"Population"},
        {"Analyze", "Chem", "Cu", "n", "", "Mem1"},
        {"Analyze", "Chem", "Cu", "avg", "", "Mem2"},
        {"Exclude", "Chem", "Cu", "<", "0"},
        {"Analyze", "Chem", "Cu", "min", "", "Mem3"},
        {"CalcMem", "", "", "", "Mem2*Mem1", "Mem4"},
        {"Store", "", "", "", "Mem1", "N", "N"},
        {"Store", "", "", "", "Mem1", "<<New Field>>", "T"},
        {"Store", "", "", "", "Mem2", "AvgCu", "N"},
        {"Store", "", "", "", "Mem3", "MinCu", "N"},
        {"Store", "", "", "", "Mem4", "SumCu", "N"},
        {"Analyze", "Chem", "Zn", "%_positive", "", "Mem5"},
        {"If", "Mem5", "", "=", "100", "Skip"},
        {"Store", "", "", "", "not all positive", "Note", "T"},
    });
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueText("Count");
    ASSERT_TRUE(a.run()) << logged.join(" | ").toStdString();
    // The memory keeps single precision: 3.333333 * 3.
    EXPECT_EQ(stored(), QStringList({"North|2|2|20|10|40|not all positive",
                                     "O'Hara|3|3|3.333333|5|9.999999|"}));
    EXPECT_EQ(dialogs.texts(),
              QStringList({"Store in database (" + dir.filePath("results.sqlite") + ") ?",
                           "Name of the new field:"}));
    EXPECT_EQ(logged,
              QStringList({"Running Population analysis. File = Analysis.pmc", "Cases: 2"}));
}

TEST_P(PopulationAnalysisTest, OneGroupedQueryPerAnalyzeStoresWhatTheRowByRowRunStores) {
    std::vector<QStringList> rows{
        {"Analyze", "Chem", "Cu", "n", "", "Mem1"},
        {"Analyze", "Chem", "Cu", "median", "", "Mem2"},
        {"Analyze", "Chem", "Zn", "first", "", "Mem3"},
        {"Analyze", "Chem", "Zn", "%_negative", "", "Mem4"},
        {"Analyze", "Samples", "Site", "n", "", "Mem5"},
        {"Store", "", "", "", "Mem1", "N", "N"},
        {"Store", "", "", "", "Mem2", "MedianCu", "N"},
        {"Store", "", "", "", "Mem3", "FirstZn", "N"},
        {"Store", "", "", "", "Mem4", "NegZn", "N"},
        {"Store", "", "", "", "Mem5", "Records", "N"},
    };
    QStringList runs[2];
    for (QStringList& run : runs) {
        results->execute("DROP TABLE IF EXISTS [Analysis]");
        dialogs.queueAnswer(Answer::Yes);
        ASSERT_TRUE(analysis(rows).run()) << logged.join(" | ").toStdString();
        run = stored();
        // A Reset row needs the key set: the second run reads row by row.
        rows.insert(rows.begin(), {"Reset"});
    }
    EXPECT_EQ(runs[0], QStringList({"North|2|20|-2|50|2", "O'Hara|3|5|3|0|3"}));
    EXPECT_EQ(runs[1], runs[0]);
}

TEST(PopulationAnalysis, StatisticsAndMemoryGiveNothingWhereThereIsNothing) {
    const std::vector<double> values{-2, 1, 3, 4};
    struct Case {
        const char* name;
        std::vector<double> values;
        QString expected;
    } cases[] = {
        {"n", {}, "0"},
        {"%_positive", {}, ""},
        {"avg", {}, ""},
        {"%_positive", values, "75"},
        {"n_negative", values, "1"},
        {"first", values, "-2"},
        {"sum", values, "6"},
        {"max", values, "4"},
        {"avg", {1, 2, 2}, "1.666667"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PopulationAnalysis::statistic(c.name, c.values), c.expected) << c.name;
    EXPECT_EQ(PopulationAnalysis::statistic("weighed_avg", {1, 3}, {3, 1}), "1.5");
    EXPECT_EQ(PopulationAnalysis::combineMemory("avg", {}), "");
    EXPECT_EQ(PopulationAnalysis::combineMemory("avg", {"2", "", "4", "", ""}), "3");
    EXPECT_EQ(PopulationAnalysis::combineMemory("min", {"", "7", "-1", "", "x"}), "-1");
    EXPECT_EQ(PopulationAnalysis::calculate("Mem1/Mem2", {"1", "0", "", "", ""}), "");
    EXPECT_EQ(PopulationAnalysis::calculate("(Mem1+mem5)*2", {"1", "", "", "", "2.5"}), "7");
}

TEST_P(PopulationAnalysisTest, WithoutAnalyzeRowsEveryPopulationIsWalkedAndNothingStored) {
    PopulationAnalysis a = analysis({{"AddToLog", "", "", "", "seen"}});
    ASSERT_TRUE(a.run()) << logged.join(" | ").toStdString();
    EXPECT_EQ(logged.mid(2), QStringList({"North: seen", "O'Hara: seen"}));
    EXPECT_FALSE(results->columnNamesOf("Analysis"));
}

TEST_P(PopulationAnalysisTest, AbortBetweenPopulationsKeepsTheRowsStored) {
    PopulationAnalysis a = analysis(
        {{"Analyze", "Chem", "Cu", "n", "", "Mem1"}, {"Store", "", "", "", "Mem1", "N", "N"}});
    status.stopAt = 2;
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_FALSE(a.run());
    EXPECT_EQ(dialogs.texts().last(), "Aborted");
    EXPECT_EQ(stored(), QStringList({"North|2"}));

    PopulationAnalysis missing = analysis({});
    missing.definition.field.clear();
    EXPECT_FALSE(missing.run());
    EXPECT_EQ(dialogs.texts().last(), "Population ID data missing!");
}

INSTANTIATE_TEST_SUITE_P(Engines, PopulationAnalysisTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
