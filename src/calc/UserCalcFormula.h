#pragma once
// RewriteFormula: an equation over the variables a to e as the evaluator's cell formula. Only
// whole name tokens are replaced, so function names (EXP, ACOS, AVERAGE...) and numbers with
// exponents keep their letters. Stateless.
#include <QString>

class UserCalcFormula {
public:
    static constexpr int variableCount = 5;

    enum class Mapping {
        Run,         // the calculator's run: a-e in either case to A1-E1
        Check,       // the calculator's formula check: lower-case a-e to B1-F1
        ColumnUpdate // the grid's column update: lower-case a-e to A1-E1
    };
    static QString RewriteFormula(const QString& equation, Mapping mapping);

    // The variable (0 = a ... 4 = e) a name token stands for under the mapping; -1 for none.
    static int variableOf(const QString& name, Mapping mapping);
    // The evaluator's slot that variable i takes under the mapping.
    static int slotOf(int variable, Mapping mapping) {
        return mapping == Mapping::Check ? variable + 1 : variable;
    }
    // Whether the equation names a variable under the mapping.
    static bool usesAnyVariable(const QString& equation, Mapping mapping);
    // The variables the equation names (bit i for variable i).
    static unsigned variablesUsed(const QString& equation, Mapping mapping);
    static QChar letter(int variable) { return QLatin1Char(char('a' + variable)); }
};
