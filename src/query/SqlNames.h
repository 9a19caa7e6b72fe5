#pragma once
// Names as the SQL builders write them. Callers hand table, filter and field names plain or
// already in brackets; either way each comes out in exactly one pair of brackets with "]" doubled
// inside, so a name never reads "[[A]]" and "A]B" round-trips through the tokenizer.
#include "platform/JetSqlQuoting.h"

#include <QString>

class SqlNames {
public:
    // The name without its brackets: one leading "[" and one trailing "]" go (together, as a
    // pair), and inside a bracketed name "]]" reads "]".
    static QString plain(const QString& name) {
        if (name.size() < 2 || !name.startsWith(u'[') || !name.endsWith(u']'))
            return name;
        QString inner = name.mid(1, name.size() - 2);
        return inner.replace(QStringLiteral("]]"), QStringLiteral("]"));
    }
    static QString bracketed(const QString& name) { return JetSqlQuoting::name(plain(name)); }
    // "[Table].[Field]".
    static QString field(const QString& table, const QString& field) {
        return bracketed(table) + u'.' + bracketed(field);
    }
    static bool isFilter(const QString& name) {
        return plain(name).startsWith(QStringLiteral("f_"));
    }
};
