#include "spider/SpiderLibrary.h"

#include "platform/Connection.h"
#include "platform/JetSqlQuoting.h"

namespace {

QString columnList(const QString& first, const QString& second, const QString& prefix) {
    QStringList columns{JetSqlQuoting::name(first)};
    if (!second.isEmpty())
        columns << JetSqlQuoting::name(second);
    for (int i = 1; i <= SpiderLibrary::maxPositions; ++i)
        columns << JetSqlQuoting::name(prefix + QString::number(i));
    return columns.join(QStringLiteral(", "));
}

QString markers(int count) {
    QStringList m;
    for (int i = 0; i < count; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

// The cells from `from` on, up to the last one that holds something.
QStringList positions(const RowSet& rows, qsizetype r, int from) {
    QStringList cells;
    for (int c = from; c < rows.columnCount(); ++c)
        cells << rows.at(r, c).toText();
    while (!cells.isEmpty() && cells.back().trimmed().isEmpty())
        cells.removeLast();
    return cells;
}

void appendPositions(std::vector<CellValue>& values, const QStringList& cells) {
    for (int i = 0; i < SpiderLibrary::maxPositions; ++i)
        values.push_back(i < cells.size() ? CellValue::text(cells[i]) : CellValue::null());
}

} // namespace

SpiderLibrary::SpiderLibrary(Connection& system, const SystemTables& names)
    : system_(system)
    , names_(names) {}

std::optional<std::vector<SpiderType>> SpiderLibrary::types() {
    const auto rows =
        system_.query(QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(names_.spiderMain) +
                      QStringLiteral(" ORDER BY SpiderType ASC;"));
    if (!rows) {
        error_ = system_.lastError();
        return std::nullopt;
    }
    std::vector<SpiderType> result;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        result.push_back({rows->at(r, 0).toText(), positions(*rows, r, 1)});
    return result;
}

std::optional<SpiderType> SpiderLibrary::type(const QString& name) {
    const auto all = types();
    if (all)
        for (const SpiderType& t : *all)
            if (t.name == name)
                return t;
    return std::nullopt;
}

std::optional<std::vector<NormalizationSample>> SpiderLibrary::samples() {
    const auto rows =
        system_.query(QStringLiteral("SELECT * FROM ") + JetSqlQuoting::name(names_.spiderNorm) +
                      QStringLiteral(" ORDER BY SpiderType ASC, Sample ASC;"));
    if (!rows) {
        error_ = system_.lastError();
        return std::nullopt;
    }
    std::vector<NormalizationSample> result;
    for (qsizetype r = 0; r < rows->rowCount(); ++r)
        result.push_back(
            {rows->at(r, 0).toText(), rows->at(r, 1).toText(), positions(*rows, r, 2)});
    return result;
}

std::optional<std::vector<NormalizationSample>> SpiderLibrary::samples(const QString& spiderType) {
    auto all = samples();
    if (all)
        std::erase_if(*all,
                      [&](const NormalizationSample& s) { return s.spiderType != spiderType; });
    return all;
}

bool SpiderLibrary::run(const QString& sql, const std::vector<CellValue>& values) {
    if (system_.execute(sql, values))
        return true;
    error_ = system_.lastError();
    return false;
}

bool SpiderLibrary::addType(const SpiderType& type) {
    std::vector<CellValue> values{CellValue::text(type.name)};
    appendPositions(values, type.elements);
    return run(QStringLiteral("INSERT INTO ") + JetSqlQuoting::name(names_.spiderMain) +
                   QStringLiteral(" (") +
                   columnList(QStringLiteral("SpiderType"), {}, QStringLiteral("Element")) +
                   QStringLiteral(") VALUES (") + markers(int(values.size())) + u')',
               values);
}

bool SpiderLibrary::addSample(const NormalizationSample& sample) {
    std::vector<CellValue> values{CellValue::text(sample.spiderType), CellValue::text(sample.name)};
    appendPositions(values, sample.values);
    return run(QStringLiteral("INSERT INTO ") + JetSqlQuoting::name(names_.spiderNorm) +
                   QStringLiteral(" (") +
                   columnList(QStringLiteral("SpiderType"), QStringLiteral("Sample"),
                              QStringLiteral("Value")) +
                   QStringLiteral(") VALUES (") + markers(int(values.size())) + u')',
               values);
}

bool SpiderLibrary::removeType(const QString& name, bool withSamples) {
    if (withSamples && !removeSamples(name))
        return false;
    return run(QStringLiteral("DELETE FROM ") + JetSqlQuoting::name(names_.spiderMain) +
                   QStringLiteral(" WHERE [SpiderType] = ?"),
               {CellValue::text(name)});
}

bool SpiderLibrary::removeSample(const QString& spiderType, const QString& sample) {
    return run(QStringLiteral("DELETE FROM ") + JetSqlQuoting::name(names_.spiderNorm) +
                   QStringLiteral(" WHERE [SpiderType] = ? AND [Sample] = ?"),
               {CellValue::text(spiderType), CellValue::text(sample)});
}

bool SpiderLibrary::removeSamples(const QString& spiderType) {
    return run(QStringLiteral("DELETE FROM ") + JetSqlQuoting::name(names_.spiderNorm) +
                   QStringLiteral(" WHERE [SpiderType] = ?"),
               {CellValue::text(spiderType)});
}
