#include "query/JoinedTables.h"

#include "db/SchemaCatalogue.h"
#include "query/FilterBaseSource.h"
#include "query/JoinCondition.h"
#include "query/LinkSearch.h"
#include "query/SqlNames.h"

namespace {
bool holdsField(const SchemaCatalogue& catalogue, const QString& table, const QString& field) {
    for (const QString& f : catalogue.fieldNames(SqlNames::plain(table)))
        if (f.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
} // namespace

JoinedTables JoinedTables::build(const QStringList& tables, const QString& filter,
                                 const SchemaCatalogue& catalogue, const LinkSearch& links,
                                 const FilterBaseSource& filters) {
    JoinedTables j;
    for (qsizetype i = 1; i < tables.size(); ++i)
        if (!links.find(tables.front(), tables[i]).isLinked()) {
            j.error = linkError();
            return j;
        }
    if (tables.size() > 1)
        j.linkTerm = QLatin1Char('(') + BuildJoinCondition(links, tables).text + QLatin1Char(')');
    for (const QString& t : tables)
        j.from << SqlNames::bracketed(t);
    if (filter.isEmpty())
        return j;
    const QString view = QStringLiteral("f_") + filter;
    const QString filterKey = filters.filterBase(view).keyColumn;
    QString joined;
    for (const QString& t : tables)
        if (joined.isEmpty() && !filterKey.isEmpty() && holdsField(catalogue, t, filterKey))
            joined = t;
    if (joined.isEmpty()) {
        j.error = filterKeyError(filter);
        return j;
    }
    j.from << SqlNames::bracketed(view);
    j.filterTerm = QLatin1Char('(') + SqlNames::field(joined, filterKey) + QLatin1Char('=') +
                   SqlNames::field(view, filterKey) + QLatin1Char(')');
    return j;
}
