#include "calc/CalcSelect.h"

#include "db/SchemaCatalogue.h"
#include "diagram/DiagramSelect.h"
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

CalcSelect CalcSelect::build(const std::vector<CalcVariable>& variables, const QString& filter,
                             const SchemaCatalogue& catalogue, const LinkSearch& links,
                             const FilterBaseSource& filters) {
    CalcSelect s;
    std::vector<FieldEntry> entries;
    for (const CalcVariable& v : variables)
        if (v.bound() && s.keyTable.isEmpty())
            s.keyTable = v.table;
    if (s.keyTable.isEmpty())
        return s;
    s.keyField = catalogue.keyFields(SqlNames::plain(s.keyTable)).value(0);
    if (!s.keyField.isEmpty())
        entries.push_back({s.keyTable, s.keyField});
    for (const CalcVariable& v : variables) {
        s.columns.push_back(v.bound() ? int(entries.size()) : -1);
        if (v.bound())
            entries.push_back({v.table, v.field});
    }

    QStringList tables;
    for (const SelectParts::Table& t : SelectParts::distinctTables(entries))
        tables << t.name;
    for (qsizetype i = 1; i < tables.size(); ++i)
        if (!links.find(tables.front(), tables[i]).isLinked()) {
            s.error = DiagramSelect::linkError();
            return s;
        }
    QStringList terms;
    if (tables.size() > 1)
        terms << QLatin1Char('(') + BuildJoinCondition(links, tables).text + QLatin1Char(')');
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
            s.error = DiagramSelect::filterKeyError(filter);
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
                         : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND ")));
    return s;
}
