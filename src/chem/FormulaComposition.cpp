#include "chem/FormulaComposition.h"

#include "chem/ChemicalFormula.h"
#include "chem/ElementTable.h"
#include "chem/OxideForm.h"

std::optional<FormulaComposition> FormulaComposition::of(const QString& formula, QString* error) {
    const auto amounts = ChemicalFormula::parse(formula, error);
    if (!amounts)
        return std::nullopt;
    const ElementTable& table = ElementTable::instance();
    FormulaComposition c;
    c.formula = formula.trimmed();
    c.molarMass = ChemicalFormula::molarMass(*amounts);
    if (c.molarMass <= 0.0) {
        if (error)
            *error = QStringLiteral("The formula has no mass");
        return std::nullopt;
    }
    bool hasOxygen = false;
    for (const auto& [z, amount] : *amounts) {
        const double percent = 100.0 * amount * table.atomicWeight(z) / c.molarMass;
        c.elements.push_back({table.symbol(z), percent});
        c.elementSum += percent;
        hasOxygen = hasOxygen || (z == ElementTable::oxygen && amounts->size() > 1);
    }
    if (!hasOxygen) {
        c.oxides = c.elements;
        c.oxideSum = c.elementSum;
        return c;
    }
    if (const auto own = OxideForm::of(c.formula); own && own->element != ElementTable::oxygen) {
        c.oxides = {{own->formula, 100.0}};
        c.oxideSum = 100.0;
        return c;
    }
    for (const auto& [z, amount] : *amounts) {
        if (z == ElementTable::oxygen)
            continue;
        const QStringList oxides = table.oxides(z);
        const auto form = oxides.isEmpty() ? std::nullopt : OxideForm::of(oxides.front());
        const CompositionLine line =
            form
                ? CompositionLine{form->formula, 100.0 * amount * form->massPerCation / c.molarMass}
                : CompositionLine{table.symbol(z),
                                  100.0 * amount * table.atomicWeight(z) / c.molarMass};
        c.oxides.push_back(line);
        c.oxideSum += line.weightPercent;
    }
    return c;
}
