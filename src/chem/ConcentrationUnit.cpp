#include "chem/ConcentrationUnit.h"

namespace {
// Units per 1 % of the mass units; 0 for the others.
double perPercent(ConcentrationUnit unit) {
    switch (unit) {
    case ConcentrationUnit::None:
    case ConcentrationUnit::Percent:
        return 1.0;
    case ConcentrationUnit::Ppm:
        return 1e4;
    case ConcentrationUnit::Ppb:
        return 1e7;
    case ConcentrationUnit::MolProp:
        break;
    }
    return 0.0;
}

const QString molPropTight = QStringLiteral("Mol.prop.");
const QString molPropSpaced = QStringLiteral("Mol. prop.");
} // namespace

QString ConcentrationUnits::caption(ConcentrationUnit unit) {
    switch (unit) {
    case ConcentrationUnit::Percent:
        return QStringLiteral("%");
    case ConcentrationUnit::Ppm:
        return QStringLiteral("ppm");
    case ConcentrationUnit::Ppb:
        return QStringLiteral("ppb");
    case ConcentrationUnit::MolProp:
        return molPropSpaced;
    case ConcentrationUnit::None:
        break;
    }
    return {};
}

ConcentrationUnit ConcentrationUnits::ofName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.endsWith(molPropTight) || trimmed.endsWith(molPropSpaced))
        return ConcentrationUnit::MolProp;
    if (trimmed.endsWith(QLatin1Char('%')))
        return ConcentrationUnit::Percent;
    if (trimmed.endsWith(QLatin1String("ppm")))
        return ConcentrationUnit::Ppm;
    if (trimmed.endsWith(QLatin1String("ppb")))
        return ConcentrationUnit::Ppb;
    return ConcentrationUnit::None;
}

QString ConcentrationUnits::renamed(const QString& name, ConcentrationUnit unit) {
    QString stem = name.trimmed();
    if (stem.endsWith(molPropSpaced))
        stem.chop(molPropSpaced.size());
    else if (stem.endsWith(molPropTight))
        stem.chop(molPropTight.size());
    else if (ofName(stem) != ConcentrationUnit::None)
        stem.chop(caption(ofName(stem)).size());
    stem = stem.trimmed();
    if (stem.endsWith(QLatin1Char('_')))
        stem.chop(1);
    return stem + QLatin1Char(' ') + caption(unit);
}

double ConcentrationUnits::factor(ConcentrationUnit from, double fromMass, ConcentrationUnit to,
                                  double toMass) {
    double f = 1.0;
    if (from == ConcentrationUnit::MolProp && to == ConcentrationUnit::MolProp)
        return 1.0;
    if (from == ConcentrationUnit::MolProp) {
        f = toMass * perPercent(to); // moles per 100 g back to per cent of the new form
    } else {
        f = 1.0 / perPercent(from);
        if (to == ConcentrationUnit::MolProp)
            f = fromMass > 0.0 ? f / fromMass : f;
        else
            f *= (fromMass > 0.0 && toMass > 0.0 ? toMass / fromMass : 1.0) * perPercent(to);
    }
    return f == 0.0 ? 1.0 : f;
}
