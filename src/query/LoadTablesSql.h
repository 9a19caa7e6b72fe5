#pragma once
// BuildLoadTablesSql: the statement that loads whole tables (the table loader and the main
// window). The tables are joined over their links in a WHERE condition, or, around a chosen
// base table, in a chain of LEFT JOINs that keeps every base row; a chosen filter (named
// without its "f_") restricts the rows. A filter is always an INNER JOIN in the chain, since a
// filter joined from the left would let every row through. When a table of the chain does not
// link to the base, there is no statement but a message naming the pair.
#include "query/LinkSearch.h"

#include <QStringList>

struct LoadTablesSql {
    QString statement; // empty when message is set
    QString message;

    static QString noTablesMessage() { return QStringLiteral("No tables selected!"); }
    static QString noLinkMessage(const QString& base, const QString& table) {
        return QStringLiteral("NO LINK between ") + base + QStringLiteral(" AND ") + table;
    }
};

LoadTablesSql BuildLoadTablesSql(const LinkSearch& links, const QStringList& chosen,
                                 const QString& leftJoinBase, const QString& filter);
