// The evaluator against what a spreadsheet shows for the same formula, where the spreadsheet's
// rules differ from C's, for the error values, and for formulas that must not compile.
#include "formula/Formula.h"
#include "formula/FormulaRewriter.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* formula;
    const char* shows; // what the cell shows
};

// A1 = 2, B1 = 0, C1 = -3, D1 = 0.1, E1 = 0.2, F1 = 1e300, x = 0.5
constexpr double inputs[] = {2, 0, -3, 0.1, 0.2, 1e300, 0.5};

QString shown(const char* formula, const char* variable = "x") {
    QString error;
    const auto f =
        Formula::compile(QString::fromUtf8(formula), &error, QString::fromUtf8(variable));
    return f ? f->evaluate(inputs).toText() : QStringLiteral("compile: ") + error;
}

class FormulaSpreadsheetTest : public ::testing::TestWithParam<Case> {};

// Arithmetic-only formulas run on a fast numeric path; inside IF they take the general one,
// and both must show the same.
TEST_P(FormulaSpreadsheetTest, ShowsWhatTheSpreadsheetShows) {
    const QString expected = QString::fromUtf8(GetParam().shows);
    EXPECT_EQ(shown(GetParam().formula), expected) << GetParam().formula;
    if (expected.startsWith(QStringLiteral("compile:")))
        return;
    QString inner = QString::fromUtf8(GetParam().formula);
    if (inner.startsWith(QLatin1Char('=')))
        inner.remove(0, 1);
    const QByteArray general = (QStringLiteral("IF(TRUE,") + inner + QLatin1Char(')')).toUtf8();
    EXPECT_EQ(shown(general.constData()), expected) << general.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, FormulaSpreadsheetTest,
    ::testing::Values(
        // Numbers in the C locale, exponents, precedence.
        Case{"=1.5e3+2E-1", "1500.2"}, Case{".5*4", "2"}, Case{"2+3*4", "14"}, Case{"-2^2", "4"},
        Case{"-A1^2", "4"}, Case{"0-2^2", "-4"}, Case{"2^3^2", "64"}, Case{"2^-1", "0.5"},
        Case{"50%*A1", "1"}, Case{"-C1%", "0.03"}, Case{"(A1+C1)*2", "-2"},
        Case{"D1+E1", "0.30000000000000004"},
        // Cells and the variable as whole tokens in either case.
        Case{"a1*$C$1+x", "-5.5"}, Case{"X*2", "1"},
        // ATAN2 takes x first; ROUND halves go away from zero, at the digits shown.
        Case{"ATAN2(1,0)", "0"}, Case{"ROUND(ATAN2(0,1),6)", "1.570796"}, Case{"ROUND(2.5,0)", "3"},
        Case{"ROUND(-2.5,0)", "-3"}, Case{"ROUND(2.675,2)", "2.68"},
        Case{"ROUND(1234.5,-2)", "1200"}, Case{"ROUNDDOWN(-2.79,1)", "-2.7"},
        Case{"ROUNDUP(2.01,0)", "3"}, Case{"ROUNDUP(-2.01,0)", "-3"},
        // Digits past any double's (a crash found by fuzzing) leave the value as it is.
        Case{"ROUND(-2.5,1E48)", "-2.5"}, Case{"ROUNDDOWN(2.5,-1E48)", "2.5"},
        // CEILING and FLOOR: signs and multiples.
        Case{"CEILING(2.1,1)", "3"}, Case{"CEILING(-2.5,-2)", "-4"}, Case{"CEILING(-2.5,2)", "-2"},
        Case{"CEILING(2.5,-2)", "#NUM!"}, Case{"FLOOR(2.5,-2)", "#NUM!"},
        Case{"FLOOR(-2.5,2)", "-4"}, Case{"FLOOR(-2.5,-2)", "-2"}, Case{"FLOOR(0.3,0.1)", "0.3"},
        Case{"FLOOR(3,0)", "#DIV/0!"}, Case{"CEILING(3,0)", "0"},
        // LOG defaults to base 10.
        Case{"LOG(1000)", "3"}, Case{"LOG(8,2)", "3"}, Case{"LOG10(0.01)", "-2"},
        Case{"LOG(8,1)", "#DIV/0!"}, Case{"LN(0)", "#NUM!"}, Case{"EVEN(1.5)", "2"},
        Case{"EVEN(-3)", "-4"}, Case{"ODD(0)", "1"}, Case{"ODD(-2)", "-3"}, Case{"INT(-2.5)", "-3"},
        Case{"FACT(5.9)", "120"}, Case{"FACT(-1)", "#NUM!"}, Case{"SUM(A1,C1,4)", "3"},
        Case{"AVERAGE(A1,B1,C1,D1)", "-0.225"}, Case{"SUMSQ(A1,C1)", "13"}, Case{"PI()*0", "0"},
        Case{"SQRT(16)", "4"}, Case{"SQRT(C1)", "#NUM!"}, Case{"ACOS(2)", "#NUM!"},
        Case{"ATANH(1)", "#NUM!"}, Case{"ACOSH(1)", "0"}, Case{"EXP(1000)", "#NUM!"},
        Case{"F1*F1", "#NUM!"}, Case{"MOD(-3,2)", "1"}, Case{"IF(A1>1,\"big\",1/0)", "big"},
        // Error values and their precedence: the left operand's error first.
        Case{"A1/B1", "#DIV/0!"}, Case{"0^0", "#NUM!"}, Case{"0^-1", "#DIV/0!"},
        Case{"C1^0.5", "#NUM!"}, Case{"SQRT(C1)+1/0", "#NUM!"}, Case{"1/0+SQRT(C1)", "#DIV/0!"},
        Case{"\"a\"+1", "#VALUE!"}, Case{"\"2\"*3", "6"}, Case{"E1XP(A1)", "#NAME?"},
        Case{"G1+1", "#NAME?"}, Case{"SUM(A1,1/0)", "#DIV/0!"},
        // Texts, truth values and comparisons.
        Case{"A1&\"-\"&D1", "2-0.1"}, Case{"A1>C1", "TRUE"}, Case{"\"b\"=\"B\"", "TRUE"},
        Case{"1<\"a\"", "TRUE"}, Case{"TRUE+1", "2"}, Case{"A1<>2", "FALSE"},
        // Texts the parser refuses.
        Case{"", "compile: The formula is empty."},
        Case{"2+", "compile: The formula ends too early."},
        Case{"(1+2", "compile: A \")\" is missing."},
        Case{"SQRT(1,2)", "compile: Wrong number of arguments for SQRT."},
        Case{"1 2", "compile: Unexpected \"2\" at 3."},
        Case{"1,5", "compile: Unexpected \",\" at 2."},
        Case{"\"open", "compile: Unexpected \"open\" at 1."},
        Case{"A1 # 2", "compile: Unexpected \"#\" at 4."}));

TEST(FormulaTest, YVariableForXEquationsAndUsedSlots) {
    EXPECT_EQ(shown("y*4", "y"), QStringLiteral("2"));
    EXPECT_EQ(shown("x*4", "y"), QStringLiteral("#NAME?"));
    const auto f = Formula::compile(QStringLiteral("B1+x"));
    ASSERT_TRUE(f);
    EXPECT_TRUE(f->uses(1));
    EXPECT_TRUE(f->uses(Formula::variableSlot));
    EXPECT_FALSE(f->uses(0));
    // A deep formula needs more than the evaluator's inline stack.
    QString deep = QStringLiteral("1");
    for (int i = 0; i < 100; ++i)
        deep = QStringLiteral("(1+") + deep + QLatin1Char(')');
    EXPECT_EQ(Formula::compile(deep)->evaluate(inputs).toText(), QStringLiteral("101"));
}

TEST(FormulaRewriterTest, ReplacesWholeNamesOnly) {
    const auto cells = [](const QString& name) -> std::optional<QString> {
        if (name.size() == 1 && QStringLiteral("abcde").contains(name))
            return name.toUpper() + QLatin1Char('1');
        return std::nullopt;
    };
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"EXP(a)", "EXP(A1)"},
        {"ACOS(a)+ATAN(b)+AVERAGE(c,d)+CEILING(e,1)+COS(a)+TAN(b)",
         "ACOS(A1)+ATAN(B1)+AVERAGE(C1,D1)+CEILING(E1,1)+COS(A1)+TAN(B1)"},
        {"a/(a+b+c)", "A1/(A1+B1+C1)"},
        {"1e5*e - \"a e\" & ab", "1e5*E1 - \"a e\" & ab"},
        {"A + f", "A + f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormulaRewriter::replaceNames(QString::fromUtf8(c.in), cells),
                  QString::fromUtf8(c.out))
            << c.in;
}

} // namespace
