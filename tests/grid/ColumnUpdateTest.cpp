// "Update Column..." on real engines: equations over grid columns, one value for all records,
// aggregates with and without "Ignore NULLs", Abort, and a failed write that changes nothing.
#include "grid/ColumnUpdate.h"
#include "calc/CalcEngine.h"

namespace {

using Aggregate = ColumnUpdate::Aggregate;

// Answers "Abort" once the given number of records were done.
class AbortAfter : public HeadlessStatus {
public:
    explicit AbortAfter(int records)
        : left_(records) {}
    bool abortRequested() override { return left_-- <= 0; }
    void resetAbort() override {}

private:
    int left_;
};

class ColumnUpdateTest : public CalcEngine {
protected:
    GridTarget target() {
        return {&db(),
                QStringLiteral("SELECT * FROM [Chem]"),
                QStringLiteral("[SampleNo]"),
                QStringLiteral("Chem"),
                {QStringLiteral("SampleNo")}};
    }
};

TEST_P(ColumnUpdateTest, UpdatesByEquationValueAndAggregate) {
    // Key order: O'Neil (3), S01, S02, S04 ... S10; C is Null for S07, B is 0 for S05.
    ASSERT_TRUE(db().execute(QStringLiteral("ALTER TABLE [Chem] ADD COLUMN [Res] DOUBLE")));
    ColumnUpdate update(target(), dialogs, status);
    // Capped refuses 5 or more: the fifth record fails, and the four before are undone.
    ColumnUpdate::Equation e;
    e.target = QStringLiteral("Capped");
    e.variables = {QStringLiteral("A")};
    e.equation = QStringLiteral("a");
    dialogs.queueAnswer(Answer::Yes);
    EXPECT_FALSE(update.UpdateColumnByEquation(e));
    EXPECT_TRUE(dialogs.texts().last().startsWith(QStringLiteral("Nothing was updated: record 5")));
    EXPECT_EQ(column(QStringLiteral("Capped")), QStringList(10, QStringLiteral("1")));

    struct Case {
        const char* equation;
        bool ignoreNulls;
        QStringList c;
    };
    const Case cases[] = {
        {"a/b",
         false,
         {"-1.5", "-0.25", "-0.6666666666666666", "-4", "", "6", "3.5", "2.6666666666666665",
          "2.25", "0.5"}},
        {"a+c", false, {"9", "3", "6", "12", "15", "18", "", "24", "27", "20.1"}},
        {"a+c", true, {"9", "3", "6", "12", "15", "18", "7", "24", "27", "20.1"}},
    };
    for (const Case& c : cases) {
        // c reads the C values the previous case left: start each from the same C.
        ASSERT_TRUE(db().execute(QStringLiteral(
            "UPDATE [Chem] SET [C] = 2 * [A] WHERE [SampleNo] <> 'S07' AND [SampleNo] <> 'S10'")));
        ASSERT_TRUE(
            db().execute(QStringLiteral("UPDATE [Chem] SET [C] = 20 WHERE [SampleNo] = 'S10'")));
        ASSERT_TRUE(
            db().execute(QStringLiteral("UPDATE [Chem] SET [C] = Null WHERE [SampleNo] = 'S07'")));
        e = {};
        e.target = QStringLiteral("Res");
        e.variables = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        e.equation = QString::fromUtf8(c.equation);
        e.ignoreNulls = c.ignoreNulls;
        dialogs.queueAnswer(Answer::Yes);
        const auto outcome = update.UpdateColumnByEquation(e);
        ASSERT_TRUE(outcome) << dialogs.texts().join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(outcome->updated, 10);
        EXPECT_EQ(column(QStringLiteral("Res")), c.c) << c.equation;
    }
    EXPECT_EQ(dialogs.texts().mid(dialogs.texts().size() - 2),
              (QStringList{QStringLiteral("Are you sure to updata column Res by a+c"),
                           QStringLiteral("Updated")}));

    // Avg over A, B, C: Null where C is Null unless Nulls are ignored.
    dialogs.clearLog();
    dialogs.queueAnswer(Answer::Yes);
    auto outcome = update.UpdateColumnByAggregate(
        QStringLiteral("Res"), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
        Aggregate::Avg, false);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->failed, 1);
    EXPECT_EQ(column(QStringLiteral("Res")).value(6), QString());
    EXPECT_EQ(dialogs.texts().value(0),
              QStringLiteral("Are you sure to calculate Avg of selected columns \r\nand store "
                             "the result in Res ?"));
    dialogs.queueAnswer(Answer::Yes);
    ASSERT_TRUE(update.UpdateColumnByAggregate(
        QStringLiteral("Res"), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
        Aggregate::Avg, true));
    EXPECT_EQ(column(QStringLiteral("Res")).value(6), QStringLiteral("4.5")); // (7 + 2) / 2
    EXPECT_EQ(column(QStringLiteral("Res")).value(9), QStringLiteral("6.766666666666667"));
    for (const auto& [op, expected] :
         {std::pair{Aggregate::Sum, "7"}, {Aggregate::Min, "-2"}, {Aggregate::Max, "6"}}) {
        dialogs.queueAnswer(Answer::Yes);
        ASSERT_TRUE(update.UpdateColumnByAggregate(
            QStringLiteral("Res"), {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
            op, true));
        EXPECT_EQ(column(QStringLiteral("Res")).value(0), QString::fromUtf8(expected));
    }

    // One value for every record; Abort keeps the records already done.
    dialogs.clearLog();
    AbortAfter abort(3);
    ColumnUpdate aborted(target(), dialogs, abort);
    e = {};
    e.target = QStringLiteral("Res");
    e.valueMode = true;
    e.value = QStringLiteral("42");
    dialogs.queueAnswer(Answer::Yes);
    outcome = aborted.UpdateColumnByEquation(e);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->aborted);
    EXPECT_EQ(column(QStringLiteral("Res")).mid(0, 4), (QStringList{"42", "42", "42", "8"}));
    EXPECT_EQ(dialogs.texts().last(), QStringLiteral("Aborted!"));

    // Refusals.
    dialogs.clearLog();
    e = {};
    EXPECT_FALSE(update.UpdateColumnByEquation(e));
    e.target = QStringLiteral("Res");
    EXPECT_FALSE(update.UpdateColumnByEquation(e));
    EXPECT_EQ(dialogs.texts(), (QStringList{QStringLiteral("Selected column to be updated"),
                                            QStringLiteral("Equation not defined")}));
}

INSTANTIATE_TEST_SUITE_P(Engines, ColumnUpdateTest,
                         ::testing::Values(Engine::Sqlite, Engine::Postgres), engineName);

} // namespace
