#include "diagram/DiagramSelect.h"

#include "db/SchemaCatalogue.h"
#include "query/FieldEntry.h"
#include "query/FilterBaseSource.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SelectParts.h"
#include "query/SqlNames.h"

namespace {
bool holdsField(const SchemaCatalogue& catalogue, const QString& table, const QString& field) {
    for (const QString& f : catalogue.fieldNames(SqlNames::plain(table)))
        if (f.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
} // namespace

DiagramSelect DiagramSelect::build(const DiagramDefinition& d, const QString& filter, bool withZ,
                                   const SchemaCatalogue& catalogue, const LinkSearch& links,
                                   const FilterBaseSource& filters) {
    using D = DiagramDefinition;
    DiagramSelect s;
    std::vector<FieldEntry> entries;
    const auto add = [&entries](const QString& table, const QString& field, bool notNull) {
        entries.push_back({table, field, 0, notNull});
        return int(entries.size()) - 1;
    };
    s.x = add(d.tables[D::X], d.fields[D::X], true);
    s.y = add(d.tables[D::Y], d.fields[D::Y], true);
    if (withZ)
        s.z = add(d.tables[D::Z], d.fields[D::Z], true);
    if (d.hasClassifier())
        // Rows whose class is Null are not drawn unless asked, so they are not fetched either:
        // "n=" then counts what the figure shows.
        s.classifier = add(d.tables[D::Class], d.fields[D::Class], !d.drawNulls);
    const QString key = catalogue.keyFields(SqlNames::plain(d.tables[D::X])).value(0);
    if (!key.isEmpty())
        s.label = add(d.tables[D::X], key, false);
    switch (d.sort) {
    case D::Sort::None:
        break;
    case D::Sort::ByY:
        entries[size_t(s.y)].sort = 1;
        break;
    case D::Sort::ByX:
        entries[size_t(s.x)].sort = 1;
        break;
    case D::Sort::ByLabel:
        if (s.label >= 0)
            entries[size_t(s.label)].sort = 1;
        break;
    }

    QStringList tables;
    for (const SelectParts::Table& t : SelectParts::distinctTables(entries))
        tables << t.name;
    for (qsizetype i = 1; i < tables.size(); ++i)
        if (!links.find(tables.front(), tables[i]).isLinked()) {
            s.error = linkError();
            return s;
        }

    QStringList terms;
    if (tables.size() > 1)
        terms << QLatin1Char('(') + BuildJoinCondition(links, tables).text + QLatin1Char(')');
    terms << SelectParts::notNullTerms(entries);
    QStringList from;
    for (const QString& t : tables)
        from << SqlNames::bracketed(t);
    if (!filter.isEmpty()) {
        const QString view = QStringLiteral("f_") + filter;
        const QString filterKey = filters.filterBase(view).keyColumn;
        QString joined;
        for (const QString& t : tables)
            if (joined.isEmpty() && !filterKey.isEmpty() && holdsField(catalogue, t, filterKey))
                joined = t;
        if (joined.isEmpty()) {
            s.error = filterKeyError(filter);
            return s;
        }
        from << SqlNames::bracketed(view);
        terms << QLatin1Char('(') + SqlNames::field(joined, filterKey) + QLatin1Char('=') +
                     SqlNames::field(view, filterKey) + QLatin1Char(')');
    }
    s.statement =
        QStringLiteral("SELECT ") + SelectParts::fieldList(entries).join(QStringLiteral(", ")) +
        QStringLiteral(" FROM ") + from.join(QStringLiteral(", ")) +
        (terms.isEmpty() ? QString()
                         : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "))) +
        SelectParts::orderBy(entries);
    return s;
}
