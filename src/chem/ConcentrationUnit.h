#pragma once
// The units a drawn axis can be changed between: per cent, ppm, ppb and molar proportion
// (per cent of the form divided by its molar mass per cation), and the factor between them.
#include <QString>

enum class ConcentrationUnit { None, Percent, Ppm, Ppb, MolProp };

class ConcentrationUnits {
public:
    // The captions of the unit choices: "%", "ppm", "ppb", "Mol. prop.".
    static QString caption(ConcentrationUnit unit);
    // The unit at the end of a field name or axis title: "%", "ppm", "ppb", and the molar
    // proportion written "Mol.prop." or "Mol. prop.". None when the name ends otherwise.
    static ConcentrationUnit ofName(const QString& name);
    // The name with its unit ending replaced by the unit's caption (appended when it had none).
    static QString renamed(const QString& name, ConcentrationUnit unit);
    // The factor that turns values in `from`, in a form of molar mass per cation fromMass, into
    // `to` in a form of toMass (a change of form between oxides of one element). A molar
    // proportion counts cations, so a change of form leaves it as it is; a value in ppm or ppb
    // is first brought to per cent. A missing mass (0) changes nothing for the form, a value
    // without a unit counts as per cent, and a factor that comes out 0 is 1.
    static double factor(ConcentrationUnit from, double fromMass, ConcentrationUnit to,
                         double toMass);
};
