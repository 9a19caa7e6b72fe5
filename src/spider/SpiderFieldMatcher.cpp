#include "spider/SpiderFieldMatcher.h"

#include "chem/ElementTable.h"
#include "chem/FieldNameChemistry.h"
#include "chem/OxideConverter.h"
#include "chem/OxideForm.h"
#include "spider/SpiderType.h"

namespace {

// Lower is better: ppm, no unit, ppb, per cent.
int unitRank(const QString& field) {
    const double unit = FieldNameChemistry::unitFactorOfFieldName(field);
    if (unit == 1e4)
        return 0;
    if (unit == 0.0)
        return 1;
    return unit == 1e7 ? 2 : 3;
}

} // namespace

double SpiderFieldMatcher::toPpm(const QString& field) {
    const double unit = FieldNameChemistry::unitFactorOfFieldName(field);
    return unit == 0.0 ? 1.0 : 1e4 / unit;
}

SpiderFieldMatcher::Match SpiderFieldMatcher::match(const QString& reference) const {
    const QString table = SpiderType::tableOf(reference);
    const QString field = SpiderType::fieldOf(reference);
    if (table == SpiderType::anyTable())
        return byElement(field.trimmed());
    for (const auto& [name, fields] : tables_)
        if (name.compare(table, Qt::CaseInsensitive) == 0)
            for (const QString& f : fields)
                if (f.compare(field, Qt::CaseInsensitive) == 0)
                    return {name, f, toPpm(f)};
    return {};
}

QStringList SpiderFieldMatcher::tablesWithField(const QString& field) const {
    QStringList result;
    for (const auto& [name, fields] : tables_)
        for (const QString& f : fields)
            if (f.compare(field, Qt::CaseInsensitive) == 0) {
                result << name;
                break;
            }
    return result;
}

SpiderFieldMatcher::Match SpiderFieldMatcher::byElement(const QString& symbol) const {
    const int z = ElementTable::instance().atomicNumber(symbol);
    if (z == 0)
        return {};
    Match best;
    int bestRank = 1 << 20;
    for (const auto& [table, fields] : tables_)
        for (const QString& field : fields) {
            if (FieldNameChemistry::elementOf(field) != z)
                continue;
            const bool element = FieldNameChemistry::baseOfFieldName(field) == symbol;
            std::optional<double> factor;
            if (element) {
                factor = toPpm(field);
            } else if (const auto form = OxideForm::ofFieldName(field);
                       form && form->element == z) {
                const bool hasUnit = FieldNameChemistry::unitFactorOfFieldName(field) != 0.0;
                factor = OxideConverter::factor(hasUnit ? field : field + u'%',
                                                symbol + QStringLiteral(" ppm"));
            }
            if (!factor)
                continue;
            const int rank = (element ? 0 : 10) + unitRank(field);
            if (rank < bestRank) {
                bestRank = rank;
                best = {table, field, *factor};
            }
        }
    return best;
}
