#include "formula/FormulaRewriter.h"

#include "formula/FormulaTokenizer.h"

QString FormulaRewriter::replaceNames(const QString& formula, const Replacement& replacement) {
    QString out;
    qsizetype copied = 0;
    for (const FormulaToken& t : FormulaTokenizer::tokens(formula)) {
        if (t.kind != FormulaToken::Kind::Name)
            continue;
        if (const auto with = replacement(t.text)) {
            out += formula.mid(copied, t.start - copied) + *with;
            copied = t.start + t.length;
        }
    }
    return out + formula.mid(copied);
}
