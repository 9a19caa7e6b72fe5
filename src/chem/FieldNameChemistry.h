#pragma once
// What a field name says of its chemistry: SiO2% holds silicon in per cent, Cu_ppm copper in
// ppm, Au ppb gold in ppb. The element is read from the name's first one or two characters by a
// fixed character rule, the unit from its end (case-sensitive).
#include <QString>

class FieldNameChemistry {
public:
    // Atomic number 1..106, or 0 when the name starts with no element symbol. The name is
    // replaced by the symbol read ("" when none).
    static int elementOfFieldName(QString& name);
    static int elementOf(const QString& name) {
        QString copy = name;
        return elementOfFieldName(copy);
    }
    // Units per 1 %: "%" 1, "ppm" 10^4, "ppb" 10^7; 0 for a name with none of these endings.
    static double unitFactorOfFieldName(const QString& name);
    // The part before the first character that is neither a letter nor a digit: Cu for Cu_ppm,
    // SiO2 for SiO2%.
    static QString baseOfFieldName(const QString& name);
    // An iron field holding total iron: its name contains "TOT" in any case.
    static bool isTotalIron(const QString& name);
};
