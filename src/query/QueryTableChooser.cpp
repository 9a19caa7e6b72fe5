#include "query/QueryTableChooser.h"

#include "query/SqlClauseSplitter.h"
#include "query/SqlTextScanner.h"

namespace {

QString bracketed(QString name) {
    return u'[' + name.replace(u']', QStringLiteral("]]")) + u']';
}

} // namespace

QueryTableChooser::QueryTableChooser(Dialogs& dialogs, const JoinConditionSource& joins,
                                     QueryGridHost& host)
    : dialogs_(dialogs)
    , joins_(joins)
    , host_(host) {}

void QueryTableChooser::load(const QString& queryText) {
    const SqlClauses clauses = SqlClauseSplitter::splitSqlText(queryText);
    fromPart_ = clauses.fromPart;
    wherePart_ = clauses.wherePart;
    tables_ = fromTables(fromPart_);
    statement_.clear();
}

bool QueryTableChooser::accept(const QStringList& picked) {
    if (picked.isEmpty()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No table selected"));
        return false;
    }
    QStringList joined{picked.front()};
    for (const QString& table : tables_)
        if (table != picked.front())
            joined << table;
    const QString join = joined.size() > 1 ? joins_.joinCondition(joined) : QString();
    statement_ = buildStatement(picked, fromPart_, wherePart_, join);
    return host_.openInGrid(statement_);
}

QStringList QueryTableChooser::fromTables(const QString& fromPart) {
    QStringList names;
    for (QString name : SqlTextScanner(fromPart).split(u',')) {
        name = name.trimmed();
        if (name.startsWith(u'['))
            name.remove(0, 1);
        if (name.endsWith(u']'))
            name.chop(1);
        name.replace(QStringLiteral("]]"), QStringLiteral("]"));
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

QString QueryTableChooser::buildStatement(const QStringList& picked, const QString& fromPart,
                                          const QString& wherePart, const QString& join) {
    QStringList stars;
    for (const QString& table : picked)
        stars << bracketed(table) + QStringLiteral(".*");
    QString sql = QStringLiteral("SELECT ") + stars.join(QStringLiteral(", ")) +
                  QStringLiteral(" FROM ") + fromPart;
    QStringList conditions;
    for (const QString& c : {wherePart.trimmed(), join.trimmed()})
        if (!c.isEmpty())
            conditions << u'(' + c + u')';
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return sql;
}
