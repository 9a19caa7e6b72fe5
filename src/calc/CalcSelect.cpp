#include "calc/CalcSelect.h"

#include "db/SchemaCatalogue.h"
#include "query/FieldEntry.h"
#include "query/JoinedTables.h"
#include "query/SelectParts.h"
#include "query/SqlNames.h"

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
    const JoinedTables joined = JoinedTables::build(tables, filter, catalogue, links, filters);
    if (!joined.error.isEmpty()) {
        s.error = joined.error;
        return s;
    }
    QStringList terms;
    for (const QString& term : {joined.linkTerm, joined.filterTerm})
        if (!term.isEmpty())
            terms << term;
    s.statement =
        QStringLiteral("SELECT ") + SelectParts::fieldList(entries).join(QStringLiteral(", ")) +
        QStringLiteral(" FROM ") + joined.from.join(QStringLiteral(", ")) +
        (terms.isEmpty() ? QString()
                         : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND ")));
    return s;
}
