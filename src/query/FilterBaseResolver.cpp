#include "query/FilterBaseResolver.h"

#include "query/IndexFields.h"
#include "query/SqlNames.h"

#include <QSet>

namespace {
// Deeper chains of filters on filters are not built by anyone; the bound only stops a runaway.
constexpr int maxDepth = 32;
} // namespace

QString FilterBaseResolver::cleanBaseName(QString name) {
    name = name.trimmed();
    if (name.startsWith(u'['))
        name.remove(0, 1);
    if (name.endsWith(u']'))
        name.chop(1);
    if (name.endsWith(u',') || name.endsWith(u';'))
        name.chop(1);
    return name.trimmed();
}

FilterBase FilterBaseResolver::GetFilterBase(const QString& name) const {
    FilterBase result;
    QString current = SqlNames::plain(name);
    QSet<QString> seen;
    for (int depth = 0; depth < maxDepth && !current.isEmpty(); ++depth) {
        seen.insert(current);
        const FilterBase step = viewBase(current);
        if (step.table.isEmpty())
            return result;
        result.table = cleanBaseName(step.table);
        if (!step.keyColumn.isEmpty())
            result.keyColumn = step.keyColumn;
        if (!result.table.startsWith(QStringLiteral("f_")) || seen.contains(result.table))
            break;
        current = result.table;
    }
    // With no index fields the key column of the view's own columns stands.
    if (const QStringList keys = GetIndexFields(catalogue_, result.table); !keys.isEmpty())
        result.keyColumn = keys.front();
    return result;
}

FilterBase FilterBaseResolver::viewBase(const QString& view) const {
    if (!connection_.isOpen())
        return {};
    return connection_.dialect() == SqlDialect::Postgres ? postgresViewBase(view)
                                                         : sqliteViewBase(view);
}

// The first column that is an index field of the table it comes from names the base (as a key
// column would); without one, the first column that comes from a table at all.
FilterBase FilterBaseResolver::sqliteViewBase(const QString& view) const {
    const auto origins = connection_.columnOrigins(view);
    if (!origins)
        return {};
    FilterBase any;
    for (const ColumnOrigin& o : *origins) {
        if (o.baseTable.isEmpty())
            continue;
        if (GetIndexFields(catalogue_, o.baseTable).contains(o.baseColumn))
            return {o.baseTable, o.baseColumn};
        if (any.table.isEmpty())
            any.table = o.baseTable;
    }
    return any;
}

// A view over several relations takes the first, by name, that the catalogue knows keys for. A
// name that is no view is its own base when it is a table of the catalogue.
FilterBase FilterBaseResolver::postgresViewBase(const QString& view) const {
    const auto rows = connection_.query(
        QStringLiteral("SELECT [table_name] FROM [information_schema].[view_table_usage] "
                       "WHERE [view_schema] = current_schema() AND [view_name] = ? "
                       "ORDER BY [table_name]"),
        {CellValue::text(view)});
    if (!rows)
        return {};
    if (rows->isEmpty())
        return catalogue_.tableRow(view) ? FilterBase{view, {}} : FilterBase{};
    for (qsizetype r = 0; r < rows->rowCount(); ++r) {
        const QString table = rows->at(r, 0).toText();
        if (!GetIndexFields(catalogue_, table).isEmpty())
            return {table, {}};
    }
    return {rows->at(0, 0).toText(), {}};
}
