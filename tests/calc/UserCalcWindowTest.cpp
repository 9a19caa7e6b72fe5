// The user calculations window on real engines: runs with their counts and messages, storing
// by key in one transaction, and the stored calculations of the system database.
#include "calc/UserCalcWindow.h"
#include "calc/CalcEngine.h"
#include "calc/StoredCalculations.h"
#include "db/SystemDatabase.h"

namespace {

const QString crlf = QStringLiteral("\r\n");

class UserCalcWindowTest : public CalcEngine {
protected:
    UserCalcWindow window() {
        UserCalcWindow w(*session, dialogs, status);
        w.variables[0] = {QStringLiteral("Chem"), QStringLiteral("A")};
        w.variables[1] = {QStringLiteral("Chem"), QStringLiteral("B")};
        return w;
    }
};

TEST_P(UserCalcWindowTest, RunsStoresByKeyAndLeavesNothingWhenAWriteFails) {
    UserCalcWindow w = window();
    w.equation = QStringLiteral("a/b");
    ASSERT_TRUE(w.RunUserCalculation());
    EXPECT_EQ(dialogs.texts(),
              QStringList{QStringLiteral("10 calculated, of which 1 failed (due to "
                                         "Null value or zero denominator).") +
                          crlf + QStringLiteral("Define the storage place.")});
    EXPECT_EQ(w.summary(),
              QStringLiteral("Error in 1 cases of 10 calculated. Result in error cases = Null"));
    EXPECT_EQ(w.resultText(4), QStringLiteral("Row 5. S05: \r\n  a = 5\r\n  b = 0\r\nEquation: "
                                              "a/b\r\nResult: Null"));

    // The new field is a double: 0.1 + 0.2 is stored as computed. The report names the target.
    dialogs.clearLog();
    w.equation = QStringLiteral("a+b");
    ASSERT_TRUE(w.RunUserCalculation());
    EXPECT_EQ(w.summary(), QStringLiteral("10 cases succesfully calculated."));
    dialogs.queueAnswer(Answer::Yes);
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_EQ(w.StoreUserCalculation({QStringLiteral("Chem"), UserCalcWindow::newFieldChoice(),
                                      QStringLiteral("Res"), false}),
              10);
    EXPECT_EQ(
        dialogs.texts().mid(1),
        (QStringList{QStringLiteral("Do you want to create field Res in table Chem?"),
                     QStringLiteral("Are you sure to store calculated values in the database?"),
                     QStringLiteral("Calculated values written to database into table Chem "
                                    "in column Res") +
                         crlf + QStringLiteral("A total of 10 rows written/updated.")}));
    // Key order: O'Neil (3), S01, S02, S04 ... S10.
    EXPECT_EQ(column(QStringLiteral("Res")), (QStringList{"1", "-3", "-1", "3", "5", "7", "9", "11",
                                                          "13", "0.30000000000000004"}));

    // Capped refuses 5 or more: the write of S05 fails, and the emptying and the rows before
    // are undone.
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_FALSE(
        w.StoreUserCalculation({QStringLiteral("Chem"), QStringLiteral("Capped"), {}, true}));
    EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("Nothing was stored: row ")));
    EXPECT_EQ(column(QStringLiteral("Capped")), QStringList(10, QStringLiteral("1")));

    // Targets that cannot take the results, and a declined store, write nothing.
    dialogs.clearLog();
    EXPECT_FALSE(
        w.StoreUserCalculation({QStringLiteral("Other"), QStringLiteral("Value"), {}, false}));
    EXPECT_FALSE(
        w.StoreUserCalculation({QStringLiteral("Chem"), QStringLiteral("SampleNo"), {}, false}));
    EXPECT_FALSE(w.StoreUserCalculation(
        {QStringLiteral("Chem"), UserCalcWindow::newFieldChoice(), {}, false}));
    EXPECT_FALSE(w.StoreUserCalculation({QStringLiteral("Chem"), QStringLiteral("C"), {}, true}));
    EXPECT_EQ(
        dialogs.texts(),
        (QStringList{QStringLiteral("Primary index field SampleNo of the calculation can not "
                                    "be found in Other table.") +
                         crlf + QStringLiteral("Result can not be stored in this table."),
                     QStringLiteral("Can not be stored on primary index"),
                     QStringLiteral("Give name for the new field!"),
                     QStringLiteral("Are you sure to store calculated values in the database?")}));
    EXPECT_EQ(column(QStringLiteral("C")).value(0), QStringLiteral("6"));
}

INSTANTIATE_TEST_SUITE_P(Engines, UserCalcWindowTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

class UserCalcRunMessages : public UserCalcWindowTest {};

TEST_P(UserCalcRunMessages, SayWhyARunStopsOrWhatItComputed) {
    const QString all = QStringLiteral("All (10) calculated succesfully.") + crlf +
                        QStringLiteral("Define the storage place.");
    const struct {
        const char* equation;
        int boundVariables; // a, b bound when 2; none when 0
        bool useFilter;
        QStringList shown;
    } cases[] = {
        {"", 2, false, {QStringLiteral("Equation missing.")}},
        {"a+b", 0, false, {QStringLiteral("No tables and fields selected!")}},
        {"a+c",
         2,
         false,
         {QStringLiteral("No element defined for c"), QStringLiteral("Error in formula")}},
        {"SQRT(a",
         2,
         false,
         {QStringLiteral("Error in formula ( SQRT(a )"), QStringLiteral("Error in formula")}},
        {"A+b",
         2,
         false,
         {QStringLiteral("Error in formula ( A+b )"), QStringLiteral("Error in formula")}},
        {"a+b", 2, true, {QStringLiteral("Select filter!")}},
        // Letters inside function names are never variables.
        {"EXP(a)*0+ATAN(b)*0+COS(0)", 2, false, {all}},
        {"2*PI()",
         2,
         false,
         {QStringLiteral("No a or b in equation or a and/or b written in upper case. This may "
                         "cause problems, check result."),
          all}},
    };
    for (const auto& c : cases) {
        dialogs.clearLog();
        UserCalcWindow w = c.boundVariables ? window() : UserCalcWindow(*session, dialogs, status);
        w.equation = QString::fromUtf8(c.equation);
        w.useFilter = c.useFilter;
        w.RunUserCalculation();
        EXPECT_EQ(dialogs.texts(), c.shown) << c.equation;
    }
}

INSTANTIATE_TEST_SUITE_P(Sqlite, UserCalcRunMessages, ::testing::Values(Engine::Sqlite),
                         engineName);

TEST(StoredCalculationsTest, KeepsCalculationsByNameInTheSystemDatabase) {
    QTemporaryDir dir;
    OpenedConnection system = SystemDatabase::open(dir.filePath(QStringLiteral("QUVData.sqlite")));
    ASSERT_TRUE(system.ok()) << system.error.toStdString();
    StoredCalculations stored(*system.connection);
    UserCalculation tas{QStringLiteral("Alkali's sum"), QStringLiteral("a+b"), {}};
    tas.variables[0] = {QStringLiteral("Chem"), QStringLiteral("Na2O")};
    tas.variables[1] = {QStringLiteral("Chem"), QStringLiteral("K2O")};
    ASSERT_TRUE(stored.save(tas)) << stored.lastError().toStdString();
    tas.equation = QStringLiteral("a+b+0");
    ASSERT_TRUE(stored.save(tas)); // replaces
    ASSERT_TRUE(stored.save({QStringLiteral("Alpha"), QStringLiteral("1"), {}}));
    EXPECT_EQ(stored.names(),
              (QStringList{QStringLiteral("Alkali's sum"), QStringLiteral("Alpha")}));
    EXPECT_EQ(stored.load(QStringLiteral("Alkali's sum")), tas);
    EXPECT_FALSE(stored.load(QStringLiteral("None")));
}

} // namespace
