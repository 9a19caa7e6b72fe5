#pragma once
// Translates one Jet SQL statement, as the query builders emit it, into SQLite or PostgreSQL
// text: bracketed names become the engine's quoted names, "..." literals become '...', #dates#
// become ISO literals, Like becomes ILIKE on PostgreSQL, "ORDER BY 1 AND 2" becomes
// "ORDER BY 1, 2", & concatenates, Mod is %, DISTINCTROW is DISTINCT, Jet DDL types become the
// engine's types, "?" markers are numbered for PostgreSQL. Refuses a second statement. Stateless;
// the drivers call it right before execution.
#include "platform/SqlDialect.h"

#include <QString>

class SqlDialectTranslator {
public:
    struct Result {
        QString sql;
        QString error; // empty on success
        int parameterCount = 0;
        bool ok() const { return error.isEmpty(); }
    };

    static Result translate(const QString& jetSql, SqlDialect dialect);

    // An identifier quoted for the engine ("a""b" style), for driver-generated statements.
    static QString quoteName(const QString& name);

    // SQLite has no table without columns, while Jet builds a table with "CREATE TABLE [x]" and
    // then adds columns one by one; such a table gets this column until its first real one.
    static QString sqlitePlaceholderColumn() { return QStringLiteral("quv_no_columns_yet"); }

    static QString secondStatementError() {
        return QStringLiteral("Only one SQL statement can be run at a time");
    }
};
