#pragma once
// Converts a concentration between units (%, ppm, ppb) and between the forms of one element
// (Fe, FeO, Fe2O3): the grid's FeOTOT sum, its column conversions and spider normalisation
// read values through it. The source is a field name (Fe2O3%, Fe_ppm, FeOtot%); the target a
// form and unit such as "FeO %" or "Fe ppm", or another field name.
#include <QString>
#include <optional>

struct OxideForm;

class OxideConverter {
public:
    // The value in the target's form and unit; nullopt when either side names no form, the
    // two forms are of different elements, or the target's unit is unknown. A side without a
    // unit takes the other side's unit (only the form changes).
    static std::optional<double> convert(const QString& fieldName, const QString& target,
                                         double value);
    // The factor convert() multiplies by.
    static std::optional<double> factor(const QString& fieldName, const QString& target);
    // The factor that turns values of one field into the form and unit of another field name.
    static std::optional<double> factorBetweenFields(const QString& from, const QString& to);

private:
    static std::optional<double> factor(const std::optional<OxideForm>& from, double fromUnit,
                                        const std::optional<OxideForm>& to, double toUnit);
};
