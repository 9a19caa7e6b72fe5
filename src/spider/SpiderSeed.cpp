#include "spider/SpiderSeed.h"

#include "platform/ResourceTable.h"
#include "spider/SpiderLibrary.h"

#include <QHash>

std::vector<SpiderType> SpiderSeed::types() {
    std::vector<SpiderType> result;
    for (const QStringList& cells :
         ResourceTable::lines(QStringLiteral(":/spider/spider-types.tsv"))) {
        if (cells.size() < 2)
            continue;
        SpiderType type{cells[0].trimmed(), {}};
        for (const QString& symbol : cells[1].split(u' ', Qt::SkipEmptyParts))
            type.elements << SpiderType::anyTable() + u'.' + symbol;
        result.push_back(type);
    }
    return result;
}

std::vector<NormalizationSample> SpiderSeed::samples() {
    const std::vector<QStringList> table =
        ResourceTable::lines(QStringLiteral(":/spider/spider-normalizations.tsv"));
    if (table.empty())
        return {};
    const QStringList& heading = table.front();
    // Sample column -> element symbol -> value.
    std::vector<QHash<QString, QString>> values(size_t(heading.size()));
    for (size_t r = 1; r < table.size(); ++r)
        for (qsizetype c = 1; c < table[r].size() && c < heading.size(); ++c)
            if (!table[r][c].trimmed().isEmpty())
                values[size_t(c)].insert(table[r][0].trimmed(), table[r][c].trimmed());

    std::vector<NormalizationSample> result;
    for (const SpiderType& type : types())
        for (qsizetype c = 1; c < heading.size(); ++c) {
            NormalizationSample sample{type.name, heading[c].trimmed(), {}};
            bool any = false;
            for (const QString& reference : type.elements) {
                const QString value = values[size_t(c)].value(SpiderType::fieldOf(reference));
                any = any || !value.isEmpty();
                sample.values << (value.isEmpty() ? NormalizationSample::emptyValue() : value);
            }
            if (any)
                result.push_back(sample);
        }
    return result;
}

QString SpiderSeed::seed(SpiderLibrary& library) {
    for (const SpiderType& type : types())
        if (!library.addType(type))
            return library.lastError();
    for (const NormalizationSample& sample : samples())
        if (!library.addSample(sample))
            return library.lastError();
    return {};
}
