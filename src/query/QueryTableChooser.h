#pragma once
// "Select Table in Query": for a query over several tables the person picks the table whose
// rows are to be shown and edited; the chooser writes a statement over that table restricted
// by the query's condition and its links to the other tables, and has the main window open it
// in a table grid. Owns the list of the query's tables; the dialogs, the join conditions and
// the host belong to the caller (the table grid's "open query" path through its Qt view).
#include "platform/Dialogs.h"
#include "query/JoinConditionSource.h"
#include "query/QueryGridHost.h"

#include <QString>
#include <QStringList>

class QueryTableChooser {
public:
    static QString caption() { return QStringLiteral("Select Table in Query"); }
    // Geometry keys in the per-user store: "TablesLeft", "TablesTop", ...
    static QString shortName() { return QStringLiteral("Tables"); }

    QueryTableChooser(Dialogs& dialogs, const JoinConditionSource& joins, QueryGridHost& host);

    // Takes the query's text apart and lists the tables of its FROM part.
    void load(const QString& queryText);
    // The tables offered (lstTa), names without brackets, in FROM order.
    const QStringList& tables() const { return tables_; }

    // OK (and cmdOK2): the picked tables' rows restricted by the query; the first picked table
    // is joined with every other table of the query. False when nothing is picked ("No table
    // selected") or the host could not open the statement.
    bool accept(const QStringList& picked);
    // The statement the last accept() wrote.
    const QString& statement() const { return statement_; }

    // The FROM part cut at "," outside bracketed names, each entry trimmed and stripped of one
    // leading "[" and one trailing "]", "]]" read as "]"; empty entries dropped.
    static QStringList fromTables(const QString& fromPart);
    // "SELECT [P1].*, [P2].* FROM " + fromPart, then " WHERE (" wherePart ") AND (" join ")"
    // with either condition left out when empty, and no WHERE when both are.
    static QString buildStatement(const QStringList& picked, const QString& fromPart,
                                  const QString& wherePart, const QString& join);

private:
    Dialogs& dialogs_;
    const JoinConditionSource& joins_;
    QueryGridHost& host_;
    QStringList tables_;
    QString fromPart_;
    QString wherePart_;
    QString statement_;
};
