#include "chem/OxideConverter.h"

#include "chem/FieldNameChemistry.h"
#include "chem/OxideForm.h"

std::optional<double> OxideConverter::factor(const std::optional<OxideForm>& from, double fromUnit,
                                             const std::optional<OxideForm>& to, double toUnit) {
    if (!from || !to || from->element != to->element)
        return std::nullopt;
    if (fromUnit == 0.0)
        fromUnit = toUnit == 0.0 ? 1.0 : toUnit;
    if (toUnit == 0.0)
        toUnit = fromUnit;
    return toUnit / fromUnit * to->massPerCation / from->massPerCation;
}

std::optional<double> OxideConverter::factor(const QString& fieldName, const QString& target) {
    const QString trimmed = target.trimmed();
    const qsizetype blank = trimmed.lastIndexOf(QLatin1Char(' '));
    const QString targetUnit = blank < 0 ? QString() : trimmed.mid(blank + 1);
    const double toUnit = FieldNameChemistry::unitFactorOfFieldName(targetUnit);
    if (!targetUnit.isEmpty() && toUnit == 0.0)
        return std::nullopt;
    return factor(OxideForm::ofFieldName(fieldName),
                  FieldNameChemistry::unitFactorOfFieldName(fieldName),
                  OxideForm::of(blank < 0 ? trimmed : trimmed.left(blank)), toUnit);
}

std::optional<double> OxideConverter::factorBetweenFields(const QString& from, const QString& to) {
    return factor(OxideForm::ofFieldName(from), FieldNameChemistry::unitFactorOfFieldName(from),
                  OxideForm::ofFieldName(to), FieldNameChemistry::unitFactorOfFieldName(to));
}

std::optional<double> OxideConverter::convert(const QString& fieldName, const QString& target,
                                              double value) {
    const auto f = factor(fieldName, target);
    if (!f)
        return std::nullopt;
    return value * *f;
}
