#pragma once
// The SQL= statement of link content, which comes from another process: run only when it is one
// SELECT (trailing ";" allowed) that makes no table (no INTO) and needs no values (no "?").
// Names and literals are read as the Jet tokenizer reads them, so a ";" or a keyword inside a
// [name] or a '...' text does not count.
#include <QString>

struct LinkSqlStatement {
    QString statement; // without the trailing ";"
    QString error;     // why it is not run
    bool ok() const { return error.isEmpty(); }

    static QString refusedText() {
        return QStringLiteral("Only a single SELECT statement of link content is run:");
    }
    static LinkSqlStatement check(const QString& sql);
};
