#pragma once
// What a grid's writes act on: its statement and order, the base table its rows come from and
// that table's primary key. Rows are written back by key, never by position.
#include "platform/RowSet.h"

#include <QString>
#include <QStringList>
#include <optional>

class Connection;

struct GridTarget {
    Connection* database = nullptr;
    QString statement;
    QString sortText;
    QString table;
    QStringList key; // empty: the rows cannot be written back

    bool writable() const { return database && !table.isEmpty() && !key.isEmpty(); }
    // All rows of the statement in the grid's order.
    std::optional<RowSet> allRows() const;
    // " WHERE [k1] = ? AND ..." and the key values of the row; nullopt when the row lacks a key
    // column.
    std::optional<std::pair<QString, std::vector<CellValue>>>
    keyCondition(const RowSet& rows, const RowSet::Row& row) const;
    // Sets field of the row that where (from keyCondition) finds; false leaves the reason in the
    // database's lastError().
    bool writeField(const std::pair<QString, std::vector<CellValue>>& where, const QString& field,
                    const CellValue& value) const;
};
