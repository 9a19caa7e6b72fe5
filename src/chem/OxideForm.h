#pragma once
// One form of an element as a concentration is reported: the element itself (Fe) or one of its
// oxides (FeO, Fe2O3). Its molar mass per cation, M = (n·A(E) + m·A(O)) / n for EnOm, converts
// between forms: a value in form A times M(B)/M(A) is the value in form B, and a value in %
// divided by M is the molar proportion.
#include <QString>
#include <optional>

struct OxideForm {
    int element = 0;
    QString formula;
    double massPerCation = 0.0;

    // The element alone or a formula of the element and oxygen; nullopt for anything else
    // (LOI, CaCO3, an unknown symbol).
    static std::optional<OxideForm> of(const QString& formula);
    // The form a field name holds: its base (Fe2O3 for Fe2O3%, Fe for Fe_ppm), with a "TOT"
    // total marker at the end of the base left out (FeOtot% holds FeO).
    static std::optional<OxideForm> ofFieldName(const QString& name);
};
