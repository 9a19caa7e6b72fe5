#include "query/PairSelect.h"

#include "query/JoinCondition.h"
#include "query/SqlNames.h"

// The texts are fixed: they are shown, stored and split again. "ORDER BY 1 AND 2" is Jet's way
// of writing it; the dialect layer runs it as ORDER BY 1, 2.
QString BuildPairSelect(const LinkSearch& links, const QString& tableX, const QString& tableY,
                        const QString& filter, const QString& fieldX, const QString& fieldY) {
    const bool filtered = !filter.isEmpty();
    const QString j = BuildJoinCondition(links, filtered ? QStringList{tableX, tableY, filter}
                                                         : QStringList{tableX, tableY})
                          .text;
    if (j.isEmpty())
        return {};
    const bool oneTable = SqlNames::plain(tableX) == SqlNames::plain(tableY);
    const QString x = SqlNames::field(tableX, fieldX);
    const QString y = SqlNames::field(tableY, fieldY);
    const QString select = QStringLiteral("SELECT ") + x + QStringLiteral(", ") + y +
                           QStringLiteral(" FROM ") + SqlNames::bracketed(tableX);
    const QString bothNotNull = QStringLiteral("((") + x + QStringLiteral(" Is Not Null) AND (") +
                                y + QStringLiteral(" Is Not Null))");

    if (!filtered && oneTable)
        return select + QStringLiteral(" WHERE ") + x + QStringLiteral(" Is Not Null AND ") + y +
               QStringLiteral(" Is Not Null ORDER BY 1 AND 2");
    if (!filtered)
        return select + QStringLiteral(", ") + SqlNames::bracketed(tableY) +
               QStringLiteral(" WHERE ") + j + QStringLiteral(" AND ((") + x +
               QStringLiteral("  Is Not Null) AND (") + y +
               QStringLiteral(" Is Not Null)) ORDER BY 1 ASC, 2 ASC");
    const QString tables =
        oneTable ? QString() : QStringLiteral(", ") + SqlNames::bracketed(tableY);
    return select + tables + QStringLiteral(", ") + SqlNames::bracketed(filter) +
           QStringLiteral(" WHERE (") + j + QStringLiteral(") AND ") + bothNotNull +
           QStringLiteral(" ORDER BY 1 AND 2");
}
