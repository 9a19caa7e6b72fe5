#include "chem/OxideForm.h"

#include "chem/ChemicalFormula.h"
#include "chem/ElementTable.h"
#include "chem/FieldNameChemistry.h"

std::optional<OxideForm> OxideForm::of(const QString& formula) {
    const auto amounts = ChemicalFormula::parse(formula);
    if (!amounts)
        return std::nullopt;
    int element = 0;
    double cations = 0.0, oxygens = 0.0;
    for (const auto& [z, amount] : *amounts) {
        if (z == ElementTable::oxygen && amounts->size() > 1) {
            oxygens = amount;
        } else if (!element) {
            element = z;
            cations = amount;
        } else {
            return std::nullopt; // a second cation: not a form of one element
        }
    }
    if (!element || cations <= 0.0)
        return std::nullopt;
    const ElementTable& table = ElementTable::instance();
    const double mass = (cations * table.atomicWeight(element) +
                         oxygens * table.atomicWeight(ElementTable::oxygen)) /
                        cations;
    return OxideForm{element, formula.trimmed(), mass};
}

std::optional<OxideForm> OxideForm::ofFieldName(const QString& name) {
    QString base = FieldNameChemistry::baseOfFieldName(name);
    if (base.size() > 3 && base.right(3).compare(QLatin1String("TOT"), Qt::CaseInsensitive) == 0)
        base.chop(3);
    if (!FieldNameChemistry::elementOf(base))
        return std::nullopt;
    return of(base);
}
