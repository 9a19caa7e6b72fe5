// How typed values become conditions: every row is one person's entry and the exact SQL piece
// that goes into the stored view.
#include "filter/ConditionPreparer.h"
#include "platform/JetSqlTokenizer.h"

#include <gtest/gtest.h>

namespace {

TEST(ConditionPreparer, PreparesValuesAndOperatorsAsStoredFiltersWriteThem) {
    const struct {
        const char* op;
        const char* value;
        const char* preparedOp;
        const char* preparedValue;
    } cases[] = {
        {"=", "12", "=", "12"},
        {">=", " -1.5e3 ", ">=", "-1.5e3"},
        {"=", "Au", "=", "'Au'"},
        {"=", "'Au'", "=", "'Au'"},
        {"=", "\"Au\"", "=", "'Au'"},
        {"=", "'12'", "=", "'12'"},
        {"=", "'Au", "=", "'Au'"},
        {"=", "O'Brien", "=", "'O''Brien'"},
        {"=", "'O'Brien'", "=", "'O''Brien'"},
        {"=", "'O''Brien'", "=", "'O''Brien'"},
        {"=", "x') OR ('a'='a", "=", "'x'') OR (''a''=''a'"},
        {"=", "A*", "Like", "'A%'"},
        {"<>", "A?1", "Not Like", "'A_1'"},
        {"<", "A*", "<", "'A%'"},
        {"Like", "12", "Like", "'12'"},
        {"Not Like", "Gr*", "Not Like", "'Gr%'"},
        {"Like %", "Cu", "LIKE", "'%Cu'"},
        {"Not Like %", "Cu", "NOT LIKE", "'%Cu'"},
        {"Like %__%", "Cu", "LIKE", "'%Cu%'"},
        {"Like ___%", "Cu", "LIKE", "'Cu%'"},
        {"Like ___%", "'O'Brien'", "LIKE", "'O''Brien%'"},
        {"IN", "Au, Cu", "IN", "('Au', 'Cu')"},
        {"IN", "(1,2, 3)", "IN", "(1, 2, 3)"},
        {"IN", "'A,B', O'Brien, 7", "IN", "('A,B', 'O''Brien', 7)"},
        {"Is Null", "ignored", "Is Null", ""},
        {"Is Not Null", "", "Is Not Null", ""},
    };
    for (const auto& c : cases) {
        const FilterCondition got =
            ConditionPreparer::prepare(QString::fromUtf8(c.op), QString::fromUtf8(c.value));
        EXPECT_EQ(got.op, QString::fromUtf8(c.preparedOp)) << c.op << " " << c.value;
        EXPECT_EQ(got.value, QString::fromUtf8(c.preparedValue)) << c.op << " " << c.value;
    }
}

// Whatever is typed, the condition reads back as one literal (or one list): nothing typed can
// end the literal and add SQL of its own.
TEST(ConditionPreparer, NoTypedValueEscapesItsLiteral) {
    for (const char* value : {"'", "''", "a'b'c", "'; DROP TABLE [Rocks]; --", "\"'\"", "]",
                              "' OR 1=1 OR '", "\"a\"b\""}) {
        const FilterCondition c = ConditionPreparer::prepare(QStringLiteral("="), value);
        const auto tokens = JetSqlTokenizer::tokenize(c.value);
        ASSERT_TRUE(tokens.ok()) << value;
        ASSERT_EQ(tokens.tokens.size(), 1u) << value << " -> " << c.value.toStdString();
    }
}

TEST(ConditionPreparer, WritesTheConditionOfAStoredFilter) {
    EXPECT_EQ(ConditionPreparer::prepare(QStringLiteral("Is Null"), {})
                  .text(QStringLiteral("Rocks"), QStringLiteral("Rock")),
              QStringLiteral("[Rocks].[Rock] Is Null"));
    EXPECT_EQ(ConditionPreparer::prepare(QStringLiteral("="), QStringLiteral("Au"))
                  .text(QStringLiteral("[Rock]]s]"), QStringLiteral("Owner")),
              QStringLiteral("[Rock]]s].[Owner] = 'Au'"));
    EXPECT_TRUE(ConditionPreparer::takesNoValue(QStringLiteral("Is Not Null")));
    EXPECT_FALSE(ConditionPreparer::takesNoValue(QStringLiteral("=")));
    EXPECT_EQ(ConditionPreparer::operators().size(), 15);
}

} // namespace
