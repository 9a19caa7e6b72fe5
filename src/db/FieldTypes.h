#pragma once
// The type names the program works with ("LONG", "INTEGER", "DATE", "SINGLE", "DOUBLE",
// "TEXT", or empty) for the ADO type codes the drivers report, and the lookup of one field.
#include <QString>
#include <optional>

class Connection;

struct FieldType {
    QString name;
    int maxLength = -1; // character maximum length; -1 when the database gives none
};

class FieldTypes {
public:
    static QString nameForCode(int adoTypeCode);
    // nullopt when the database has no such field. Compares names exactly, never through SQL.
    static std::optional<FieldType> GetFieldType(Connection& database, const QString& table,
                                                 const QString& field);
    // For a database other than the session database: opens its own connection for the lookup.
    static std::optional<FieldType> GetFieldType(const QString& databasePath, const QString& table,
                                                 const QString& field);
};
