// The population window's controller over a SQLite session: the Criteria, Field, Equation,
// Delete and Case rows of a program run over every population into a new result database, and
// "Set As Default" writing the user's file while the installation's stays as it is.
#include "automation/PopulationWindow.h"
#include "platform/IniFile.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/SqliteSession.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class PopulationWindowTest : public SqliteSession {
protected:
    void SetUp() override {
        openSession("rocks.sqlite",
                    "CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Site TEXT);"
                    "CREATE TABLE Chem (SampleNo TEXT PRIMARY KEY, Cu REAL, Zn REAL, Rock TEXT,"
                    " Flag REAL);"
                    "CREATE TABLE Extra (SampleNo TEXT);"
                    "INSERT INTO Samples VALUES ('S1','North'),('S2','North'),('S3','O''Hara'),"
                    "('S4','O''Hara'),('S5','O''Hara'),('S6',NULL);"
                    "INSERT INTO Chem VALUES ('S1',10,1,'basalt',NULL),('S2',30,-2,'O''Neil',NULL),"
                    "('S3',5,3,'granite',NULL),('S4',-1,4,'basalt',NULL),"
                    "('S5',6,NULL,'dacite',NULL),('S6',99,9,'basalt',NULL);"
                    "INSERT INTO Extra VALUES ('S1'),('S3'),(NULL);");
    }

    QString programIni() const { return dir.filePath("app/ini/QuvData.ini"); }
    QString userIni() const { return dir.filePath("user/ini/QuvData.ini"); }

    static QStringList rowsOf(Connection& db, const QString& sql) {
        QStringList out;
        const auto rows = db.query(sql);
        if (!rows)
            return {"error: " + db.lastError()};
        for (qsizetype r = 0; r < rows->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rows->columnCount(); ++c)
                cells << rows->at(r, c).toText();
            out << cells.join('|');
        }
        return out;
    }
};

TEST_F(PopulationWindowTest, ProgramRowsNarrowReadWriteAndDecidePerPopulation) {
    struct Case {
        const char* what;
        std::vector<QStringList> program;
        QStringList stored; // the result table by PopID
        QString checkSql = {};
        QStringList checked = {};
    };
    const std::vector<Case> cases{
        {"Criteria binds a text with a quote",
         {{"Criteria", "Chem", "Rock", "=", "O'Neil"},
          {"Analyze", "Chem", "Cu", "n", "", "Mem1"},
          {"Store", "", "", "", "Mem1", "N", "N"}},
         {"North|1", "O'Hara|0"}},
        {"Criteria against a memory place",
         {{"Analyze", "Chem", "Cu", "max", "", "Mem1"},
          {"Criteria", "Chem", "Cu", "<", "Mem1"},
          {"Analyze", "Chem", "Cu", "n", "", "Mem2"},
          {"Store", "", "", "", "Mem2", "N", "N"}},
         {"North|1", "O'Hara|2"}},
        {"Criteria No Record keeps keys without a record (a Null key in the table too)",
         {{"Criteria", "Extra", "", "No Record"},
          {"Analyze", "Chem", "Cu", "n", "", "Mem1"},
          {"Store", "", "", "", "Mem1", "N", "N"}},
         {"North|1", "O'Hara|2"}},
        {"Criteria Is Null",
         {{"Criteria", "Chem", "Zn", "Is Null"},
          {"Analyze", "Chem", "Cu", "n", "", "Mem1"},
          {"Store", "", "", "", "Mem1", "N", "N"}},
         {"North|0", "O'Hara|1"}},
        {"Field takes the first record's value",
         {{"Field", "Chem", "Rock", "", "", "Mem1"}, {"Store", "", "", "", "Mem1", "Rock", "T"}},
         {"North|basalt", "O'Hara|granite"}},
        {"Equation writes into the population's records",
         {{"Analyze", "Chem", "Cu", "sum", "", "Mem1"},
          {"Equation", "Chem", "Flag", "", "Mem1/10", "Mem2"},
          {"Store", "", "", "", "Mem2", "Tenth", "N"}},
         {"North|4", "O'Hara|1"},
         "SELECT SampleNo, Flag FROM Chem ORDER BY SampleNo",
         {"S1|4", "S2|4", "S3|1", "S4|1", "S5|1", "S6|"}},
        {"Delete removes the population's row",
         {{"Analyze", "Chem", "Cu", "n", "", "Mem1"},
          {"Store", "", "", "", "Mem1", "N", "N"},
          {"If", "Mem1", "", ">=", "3", "Skip"},
          {"Delete"}},
         {"O'Hara|3"}},
        {"Delete with a column empties it",
         {{"Store", "", "", "", "1", "N", "N"}, {"Delete", "", "", "", "", "N"}},
         {"North|", "O'Hara|"}},
        {"Case rows are the If's alternatives",
         {{"Analyze", "Chem", "Cu", "max", "", "Mem1"},
          {"If", "Mem1", "", ">", "20", "high"},
          {"Case", "", "", "<", "0", "negative"},
          {"Case", "", "", "Like", "6*", "six"},
          {"Case", "", "", "Is Not Null", "", "low"},
          {"Store", "", "", "", "", "Class", "T"}},
         {"North|high", "O'Hara|six"}},
        {"Skip passes over the Case rows and the row after them; Exit ends",
         {{"Analyze", "Chem", "Cu", "max", "", "Mem1"},
          {"If", "Mem1", "", ">", "20", "Skip"},
          {"Case", "", "", "<", "10", "Exit"},
          {"Store", "", "", "", "Mem1", "Max", "N"},
          {"Store", "", "", "", "done", "Note", "T"}},
         {"North|done"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PopulationWindow w(session, dialogs, status, programIni(), userIni());
        w.definition = {"Samples", "Site", "SampleNo", {}};
        const QString results = dir.filePath("results.sqlite");
        ASSERT_TRUE(w.newResultDatabase(results));
        for (int r = 0; r < int(c.program.size()); ++r)
            for (int col = 0; col < c.program[size_t(r)].size(); ++col)
                if (!c.program[size_t(r)][col].isEmpty())
                    w.program.setText(r + 1, col + 1, c.program[size_t(r)][col]);
        dialogs.queueAnswer(Answer::Yes);
        ASSERT_TRUE(w.run());
        auto out = SqliteConnection::open(results);
        ASSERT_TRUE(out.ok());
        EXPECT_EQ(rowsOf(*out.connection, "SELECT * FROM Analysis ORDER BY PopID"), c.stored);
        if (!c.checkSql.isEmpty()) {
            EXPECT_EQ(rowsOf(*session.connection(), c.checkSql), c.checked);
        }
    }
}

TEST_F(PopulationWindowTest, SetAsDefaultWritesTheUsersFileAndSaysWhenItCannot) {
    IniFile installed;
    installed.setValue(PopulationWindow::section(), "PopIDTable", "Samples");
    installed.setValue(PopulationWindow::section(), "PopIDKey", "SampleNo");
    ASSERT_TRUE(installed.save(programIni()));
    // A read-only installation.
    QFile::setPermissions(programIni(), QFile::ReadOwner);

    PopulationWindow w(session, dialogs, status, programIni(), userIni());
    w.readDefaults();
    EXPECT_EQ(w.definition.table, "Samples");
    w.definition.field = "Site";
    w.definition.key = "Key2";
    ASSERT_TRUE(w.saveDefaults());
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_FALSE(IniFile::load(programIni()).value(PopulationWindow::section(), "PopIDField"));

    PopulationWindow again(session, dialogs, status, programIni(), userIni());
    again.readDefaults();
    EXPECT_EQ(again.definition.table, "Samples");
    EXPECT_EQ(again.definition.field, "Site");
    EXPECT_EQ(again.definition.key, "Key2");

    // A user file that cannot be written: a folder stands where it should be.
    PopulationWindow blocked(session, dialogs, status, programIni(), dir.filePath("user"));
    EXPECT_FALSE(blocked.saveDefaults());
    ASSERT_FALSE(dialogs.texts().isEmpty());
    EXPECT_TRUE(dialogs.texts().last().startsWith("Error in writing file " + dir.filePath("user")));
}

} // namespace
