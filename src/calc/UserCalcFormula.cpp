#include "calc/UserCalcFormula.h"

#include "formula/FormulaRewriter.h"
#include "formula/FormulaTokenizer.h"

int UserCalcFormula::variableOf(const QString& name, Mapping mapping) {
    if (name.size() != 1)
        return -1;
    const QChar c = mapping == Mapping::Run ? name[0].toLower() : name[0];
    if (c < QLatin1Char('a') || c > QLatin1Char('e'))
        return -1;
    return c.unicode() - 'a';
}

QString UserCalcFormula::RewriteFormula(const QString& equation, Mapping mapping) {
    return FormulaRewriter::replaceNames(
        equation, [mapping](const QString& name) -> std::optional<QString> {
            const int v = variableOf(name, mapping);
            if (v < 0)
                return std::nullopt;
            return QString(QLatin1Char(char('A' + slotOf(v, mapping)))) + QLatin1Char('1');
        });
}

unsigned UserCalcFormula::variablesUsed(const QString& equation, Mapping mapping) {
    unsigned used = 0;
    for (const FormulaToken& t : FormulaTokenizer::tokens(equation))
        if (t.kind == FormulaToken::Kind::Name)
            if (const int v = variableOf(t.text, mapping); v >= 0)
                used |= 1u << v;
    return used;
}

bool UserCalcFormula::usesAnyVariable(const QString& equation, Mapping mapping) {
    return variablesUsed(equation, mapping) != 0;
}
