#pragma once
// What the program knows of the session database's schema: the table-field list (a row per
// table: name, then its fields in column order), the index and key lists (a row per table with
// indexed fields: name, then each indexed field once), the links list (first table, second
// table, then pairs of key fields) and the filter names (views "f_" + name). Every picker and
// SQL builder reads it; SchemaMapper fills it, LinkBuilder rebuilds its links.
#include "platform/Sheet.h"

#include <QStringList>

class SchemaCatalogue {
public:
    Sheet tableFields;
    Sheet indexList;
    Sheet keyList;
    Sheet links;
    QStringList filters;

    void clearTablesAndKeys();

    // The row whose column 1 is the name (exact), 0 when none.
    int tableRow(const QString& table) const;
    QStringList tableNames() const;
    QStringList fieldNames(const QString& table) const;
    // A key-list row's key fields: its cells from column 2 up to the first empty one.
    QStringList keyFields(int keyRow) const;
    QStringList keyFields(const QString& table) const;

    // Patches after schema edits, so pickers follow without a new mapping.
    void addTable(const QString& table);
    // Writes the field into the first empty cell of the table's row; false without the row.
    bool addField(const QString& table, const QString& field);
    void removeField(const QString& table, const QString& field);
    // Drops the table's rows from the table-field, index and key lists and its links.
    void removeTable(const QString& table);
};
