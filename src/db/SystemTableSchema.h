#pragma once
// The shape of one system-database table: its (configured) name, its columns in order and its
// primary key, and the Jet DDL that creates it with every name escaped. Plain value made by
// SystemSchema; read by SystemDatabase and by tests.
#include <QStringList>
#include <vector>

struct SystemTableSchema {
    struct Column {
        enum class Type { Integer, Number, Text, Memo };
        QString name;
        Type type = Type::Text;
    };

    QString name;
    std::vector<Column> columns;
    QStringList primaryKey;

    // "CREATE TABLE [name] ([col] TYPE, ..., PRIMARY KEY ([key], ...))" in Jet DDL; texts are
    // TEXT(255) or MEMO, so that SQLite gives them text affinity and '00123' stays a text.
    QString createStatement() const;
};
