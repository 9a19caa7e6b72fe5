#pragma once
// The rows a query delivered, fully read: column names in select order and rows of cell values.
// Plain value type; a driver fills it, anyone reads it.
#include "platform/CellValue.h"

#include <QStringList>
#include <vector>

class RowSet {
public:
    using Row = std::vector<CellValue>;

    RowSet() = default;
    explicit RowSet(QStringList columnNames)
        : columns_(std::move(columnNames)) {}

    const QStringList& columnNames() const { return columns_; }
    int columnCount() const { return int(columns_.size()); }
    qsizetype rowCount() const { return qsizetype(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Case-insensitive, as Jet field names are; -1 when there is no such column.
    int columnIndex(const QString& name) const;

    const Row& row(qsizetype r) const { return rows_[size_t(r)]; }
    const CellValue& at(qsizetype r, int column) const { return rows_[size_t(r)][size_t(column)]; }
    // The cell by column name; an Empty cell when the column does not exist.
    CellValue value(qsizetype r, const QString& column) const;

    // Short rows are padded with Empty cells, long rows cut, so every row has columnCount cells.
    void appendRow(Row row);

private:
    QStringList columns_;
    std::vector<Row> rows_;
};
