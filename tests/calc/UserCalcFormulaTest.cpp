// RewriteFormula goldens: whole variable names become cells under each of the three mappings.
#include "calc/UserCalcFormula.h"

#include <gtest/gtest.h>

namespace {
using Mapping = UserCalcFormula::Mapping;

TEST(UserCalcFormulaTest, RewritesVariablesAsWholeTokens) {
    const struct {
        const char* equation;
        Mapping mapping;
        const char* formula;
    } cases[] = {
        {"EXP(a)", Mapping::Run, "EXP(A1)"},
        {"ACOS(a)+ATAN(b)*AVERAGE(c,d)-CEILING(e,1)/COS(A)+TAN(B)", Mapping::Run,
         "ACOS(A1)+ATAN(B1)*AVERAGE(C1,D1)-CEILING(E1,1)/COS(A1)+TAN(B1)"},
        {"a/(a+b+c)", Mapping::Check, "B1/(B1+C1+D1)"},
        {"A/(a+E)", Mapping::Check, "A/(B1+E)"},
        {"a/(a+b+c)", Mapping::ColumnUpdate, "A1/(A1+B1+C1)"},
        {"A*e", Mapping::ColumnUpdate, "A*E1"},
        {"2.5e3*e+ab+f", Mapping::Run, "2.5e3*E1+ab+f"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UserCalcFormula::RewriteFormula(QString::fromUtf8(c.equation), c.mapping),
                  QString::fromUtf8(c.formula))
            << c.equation;
    EXPECT_FALSE(UserCalcFormula::usesAnyVariable(QStringLiteral("EXP(2)*PI()"), Mapping::Run));
    EXPECT_EQ(UserCalcFormula::variablesUsed(QStringLiteral("B*e"), Mapping::Run), 0b10010u);
    EXPECT_EQ(UserCalcFormula::variablesUsed(QStringLiteral("B*e"), Mapping::Check), 0b10000u);
}

} // namespace
