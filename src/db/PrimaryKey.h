#pragma once
// The primary key columns of a table, in key order, as the database describes them; empty
// when the table has none (or the schema cannot be read). Writers use it to reach one record.
#include <QStringList>

class Connection;

class PrimaryKey {
public:
    static QStringList of(Connection& database, const QString& table);
};
