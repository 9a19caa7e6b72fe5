#include "query/LoadTablesSql.h"

#include "query/JoinCondition.h"
#include "query/SqlNames.h"

LoadTablesSql BuildLoadTablesSql(const LinkSearch& links, const QStringList& chosen,
                                 const QString& leftJoinBase, const QString& filter) {
    LoadTablesSql result;
    if (chosen.isEmpty()) {
        result.message = LoadTablesSql::noTablesMessage();
        return result;
    }
    QStringList tables;
    if (!leftJoinBase.isEmpty())
        tables << leftJoinBase;
    for (const QString& t : chosen)
        if (leftJoinBase.isEmpty() || SqlNames::plain(t) != SqlNames::plain(leftJoinBase))
            tables << t;
    const qsizetype filterIndex = filter.isEmpty() ? -1 : tables.size();
    if (!filter.isEmpty())
        tables << QStringLiteral("f_") + SqlNames::plain(filter);

    QString list = SqlNames::bracketed(tables.front()) + QStringLiteral(".*");
    QString from = SqlNames::bracketed(tables.front());
    QString where;
    if (leftJoinBase.isEmpty()) {
        for (qsizetype i = 1; i < tables.size(); ++i) {
            list += QStringLiteral(", ") + SqlNames::bracketed(tables[i]) + QStringLiteral(".*");
            from += QStringLiteral(", ") + SqlNames::bracketed(tables[i]);
        }
        if (tables.size() > 1)
            where = BuildJoinCondition(links, tables).text;
    } else {
        const QString& base = tables.front();
        for (qsizetype i = 1; i < tables.size(); ++i) {
            const QString pair = BuildJoinCondition(links, {base, tables[i]}).text;
            if (pair.isEmpty()) {
                result.message = LoadTablesSql::noLinkMessage(base, tables[i]);
                return result;
            }
            list += QStringLiteral(", ") + SqlNames::bracketed(tables[i]) + QStringLiteral(".*");
            const QString join =
                i == filterIndex ? QStringLiteral(" INNER JOIN ") : QStringLiteral(" LEFT JOIN ");
            from = u'(' + from + join + SqlNames::bracketed(tables[i]) + QStringLiteral(" ON ") +
                   pair + u')';
        }
    }
    result.statement = QStringLiteral("SELECT ") + list + QStringLiteral(" FROM ") + from;
    if (!where.isEmpty())
        result.statement += QStringLiteral(" WHERE (") + where + u')';
    return result;
}
