#include "chem/FieldNameChemistry.h"

#include "chem/ElementTable.h"

namespace {
bool isUpper(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}
bool isLower(QChar c) {
    return c >= QLatin1Char('a') && c <= QLatin1Char('z');
}
bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
// Characters that end a symbol: a digit, a blank, "%", "_" or "/".
bool endsSymbol(QChar c) {
    return isDigit(c) || c == QLatin1Char(' ') || c == QLatin1Char('%') || c == QLatin1Char('_') ||
           c == QLatin1Char('/');
}
} // namespace

int FieldNameChemistry::elementOfFieldName(QString& name) {
    const QString trimmed = name.trimmed();
    name.clear();
    if (trimmed.isEmpty() || !isUpper(trimmed[0]))
        return 0;
    QString candidate;
    if (trimmed.size() == 1) {
        candidate = trimmed;
    } else {
        const QChar second = trimmed[1];
        if (isLower(second)) {
            if (trimmed.size() == 2) {
                candidate = trimmed;
            } else {
                // An upper-case B to Y starts the next symbol (SiO2, CaCO3); A and Z do not.
                const QChar third = trimmed[2];
                if ((isUpper(third) && third != QLatin1Char('A') && third != QLatin1Char('Z')) ||
                    endsSymbol(third))
                    candidate = trimmed.left(2);
            }
        } else if (second == QLatin1Char('O') || endsSymbol(second)) {
            candidate = trimmed.left(1);
        }
    }
    const int z = ElementTable::instance().atomicNumber(candidate);
    if (z)
        name = candidate;
    return z;
}

double FieldNameChemistry::unitFactorOfFieldName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.endsWith(QLatin1Char('%')))
        return 1.0;
    if (trimmed.endsWith(QLatin1String("ppm")))
        return 1e4;
    if (trimmed.endsWith(QLatin1String("ppb")))
        return 1e7;
    return 0.0;
}

QString FieldNameChemistry::baseOfFieldName(const QString& name) {
    const QString trimmed = name.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() &&
           (isUpper(trimmed[end]) || isLower(trimmed[end]) || isDigit(trimmed[end])))
        ++end;
    return trimmed.left(end);
}

bool FieldNameChemistry::isTotalIron(const QString& name) {
    return name.toUpper().contains(QLatin1String("TOT"));
}
