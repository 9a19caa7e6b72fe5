#pragma once
// What a grid's writes act on: its statement and order, the base table its rows come from and
// that table's primary key. Rows are written back by key, never by position.
#include "platform/RowSet.h"

#include <QString>
#include <QStringList>
#include <optional>

class Connection;
class Dialogs;

struct GridTarget {
    Connection* database = nullptr;
    QString statement;
    QString sortText;
    QString table;
    QStringList key; // empty: the rows cannot be written back

    bool writable() const { return database && !table.isEmpty() && !key.isEmpty(); }
    // All rows of the statement in the grid's order.
    std::optional<RowSet> allRows() const;
    // All rows, to be written back; nullopt after telling the user why they cannot be.
    std::optional<RowSet> rowsToWrite(Dialogs& dialogs) const;
    // what, and the database's reason on the next line.
    void showError(Dialogs& dialogs, const QString& what) const;
    // The name of a 0-based column of rows; empty outside them.
    static QString columnName(const std::optional<RowSet>& rows, int column);
    // " WHERE [k1] = ? AND ..." and the key values of the row; nullopt when the row lacks a key
    // column.
    std::optional<std::pair<QString, std::vector<CellValue>>>
    keyCondition(const RowSet& rows, const RowSet::Row& row) const;
    // Sets field of the row that where (from keyCondition) finds; false leaves the reason in the
    // database's lastError().
    bool writeField(const std::pair<QString, std::vector<CellValue>>& where, const QString& field,
                    const CellValue& value) const;
};
