#include "chem/EquivalentFields.h"

#include "chem/FieldNameChemistry.h"
#include "chem/OxideConverter.h"
#include "db/SchemaCatalogue.h"

std::vector<EquivalentField> EquivalentFields::find(const QString& name,
                                                    const SchemaCatalogue& catalogue) {
    const QString wanted = name.trimmed();
    const double unit = FieldNameChemistry::unitFactorOfFieldName(wanted);
    const int element = FieldNameChemistry::elementOf(wanted);
    const QString base = FieldNameChemistry::baseOfFieldName(wanted);
    const bool ironTotal = element == 26 && FieldNameChemistry::isTotalIron(wanted);

    std::vector<EquivalentField> exact, otherUnit, iron;
    for (const QString& table : catalogue.tableNames()) {
        for (const QString& field : catalogue.fieldNames(table)) {
            if (field.trimmed() == wanted) {
                exact.push_back({table, field, 1.0});
                continue;
            }
            if (unit == 0.0 || !element)
                continue;
            const double fieldUnit = FieldNameChemistry::unitFactorOfFieldName(field);
            if (fieldUnit == 0.0 || FieldNameChemistry::elementOf(field) != element)
                continue;
            if (FieldNameChemistry::baseOfFieldName(field) == base) {
                otherUnit.push_back({table, field, unit / fieldUnit});
            } else if (ironTotal && FieldNameChemistry::isTotalIron(field)) {
                // FeO and Fe2O3 totals differ in form: their values are converted, never taken
                // as they are.
                if (const auto f = OxideConverter::factorBetweenFields(field, wanted))
                    iron.push_back({table, field, *f});
            }
        }
    }
    exact.insert(exact.end(), otherUnit.begin(), otherUnit.end());
    exact.insert(exact.end(), iron.begin(), iron.end());
    return exact;
}
