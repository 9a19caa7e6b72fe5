#include "query/FieldSelect.h"

#include "query/JoinCondition.h"
#include "query/SelectParts.h"
#include "query/SqlNames.h"

FieldSelect BuildFieldSelect(const LinkSearch& links, const std::vector<FieldEntry>& entries,
                             size_t mainEntry) {
    if (entries.empty())
        return {};
    if (mainEntry >= entries.size())
        mainEntry = 0;
    const auto tables = SelectParts::distinctTables(entries);

    QStringList stars;
    QString from;
    QStringList joins;
    for (const SelectParts::Table& t : tables) {
        stars << SqlNames::bracketed(t.name) + QStringLiteral(".* ");
        from += from.isEmpty() ? SqlNames::bracketed(t.name)
                               : QStringLiteral(", ") + SqlNames::bracketed(t.name) + u' ';
        if (t.firstEntry != mainEntry)
            if (const QString j =
                    BuildJoinCondition(links, {entries[mainEntry].table, t.name}).text;
                !j.isEmpty())
                joins << j;
    }
    from = QStringLiteral("FROM ") + from + u' ';

    const QString j = joins.join(QStringLiteral(" AND "));
    const QString n = SelectParts::notNullTerms(entries).join(QStringLiteral(" AND "));
    QString where;
    if (!j.isEmpty() && !n.isEmpty())
        where =
            QStringLiteral("WHERE (") + j + QStringLiteral(") AND (") + n + QStringLiteral(") ");
    else if (!j.isEmpty())
        where = QStringLiteral("WHERE ") + j;
    else if (!n.isEmpty())
        where = QStringLiteral("WHERE ") + n;

    const QString tail = from + where + SelectParts::orderBy(entries);
    return {QStringLiteral("SELECT ") + SelectParts::fieldList(entries).join(QStringLiteral(", ")) +
                u' ' + tail,
            QStringLiteral("SELECT ") + stars.join(QStringLiteral(", ")) + tail};
}
