#include "filter/ClauseAppender.h"

#include "query/SqlClauseSplitter.h"
#include "query/SqlTextScanner.h"

std::pair<QString, QString> ClauseAppender::splitOrderBy(const QString& sql) {
    QString text = sql.trimmed();
    QString terminator;
    while (text.endsWith(u';')) {
        text.chop(1);
        text = text.trimmed();
        terminator = QStringLiteral(";");
    }
    const SqlTextScanner scan(text);
    const qsizetype order = scan.find(u"ORDER");
    if (order < 0)
        return {text, terminator};
    return {text.left(order).trimmed(), u' ' + text.mid(order).trimmed() + terminator};
}

QStringList ClauseAppender::fromTables(const QString& sql) {
    QStringList tables;
    for (const QString& t :
         SqlTextScanner(SqlClauseSplitter::splitSqlText(sql).fromPart).split(u','))
        if (const QString name = SqlNames::plain(t.trimmed()); !name.isEmpty())
            tables << name;
    return tables;
}

QString ClauseAppender::addClause(const QString& sql, const QString& table, const QString& field,
                                  const FilterCondition& condition, Join join,
                                  const QString& joinCondition) {
    const QString clause = condition.text(table, field);
    if (sql.trimmed().isEmpty())
        return QStringLiteral("SELECT ") + SqlNames::bracketed(table) + QStringLiteral(".* FROM ") +
               SqlNames::bracketed(table) + QStringLiteral(" WHERE ") + clause;
    auto [head, tail] = splitOrderBy(sql);
    const QString joinWord = join == Join::And ? QStringLiteral(" And ") : QStringLiteral(" Or ");
    if (fromTables(head).contains(SqlNames::plain(table)))
        return head + joinWord + clause + tail;
    // A new table goes into the FROM list (which ends where WHERE begins); its link binds the
    // whole condition, so an "Or" clause cannot bring in rows of an unjoined table.
    const SqlTextScanner scan(head);
    const qsizetype where = scan.find(u"WHERE");
    const QString before = where < 0 ? head : head.left(where).trimmed();
    QString whole = clause;
    if (where >= 0)
        whole = u'(' + head.mid(where + 5).trimmed() + joinWord + clause + u')';
    QString text = before + QStringLiteral(" , ") + SqlNames::bracketed(table) +
                   QStringLiteral(" WHERE ") + whole;
    if (!joinCondition.isEmpty())
        text += QStringLiteral(" AND (") + joinCondition + u')';
    return text + tail;
}

QString ClauseAppender::addCondition(const QString& sql, const QString& field,
                                     const FilterCondition& condition) {
    auto [head, tail] = splitOrderBy(sql);
    // The query window names the field alone; "[F] op value" is the condition's own text
    // without the table.
    QString clause = SqlNames::bracketed(field) + u' ' + condition.op;
    if (!condition.value.isEmpty())
        clause += u' ' + condition.value;
    const SqlTextScanner scan(head);
    const qsizetype where = scan.find(u"WHERE");
    if (where < 0)
        return head + QStringLiteral(" WHERE ") + clause + tail;
    const qsizetype after = where + 5;
    // "((old) AND (new))": both conditions whole and the parentheses balanced.
    return head.left(after) + QStringLiteral(" ((") + head.mid(after).trimmed() +
           QStringLiteral(") AND (") + clause + QStringLiteral("))") + tail;
}
