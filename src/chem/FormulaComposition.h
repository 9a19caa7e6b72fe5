#pragma once
// What a chemical formula is made of by weight: each element's weight per cent, and each
// element reported as its usual oxide (Si as SiO2, Fe as FeO; H as H2O, C as CO2, S as SO3)
// with the sums; an oxide of one element (Fe2O3) is its own form. Oxygen has no line of its own
// among the oxides; an element without an oxide form (F, Cl, the noble gases) is reported as the
// element. A formula without oxygen (a sulfide, a halide, a native element) is reported by its
// elements only, as its analysis would be.
#include <QString>
#include <optional>
#include <vector>

struct CompositionLine {
    QString name;         // "Si", "SiO2"
    double weightPercent; // of one formula unit
};

struct FormulaComposition {
    QString formula;
    double molarMass = 0.0; // of one formula unit, g/mol
    std::vector<CompositionLine> elements;
    std::vector<CompositionLine> oxides;
    double elementSum = 0.0;
    double oxideSum = 0.0;

    // nullopt with the reason in *error when the formula cannot be read.
    static std::optional<FormulaComposition> of(const QString& formula, QString* error = nullptr);
};
