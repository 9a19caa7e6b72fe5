#pragma once
// A column of cells read for plotting: each row's number (or none) in eight bytes, and the rare
// cell that is not a plain number (a text, a date, Null) kept aside as it came, so that the row
// can be handed back unchanged. Plain value type.
#include "platform/CellValue.h"

#include <QHash>
#include <optional>
#include <vector>

class NumberColumn {
public:
    void reserve(qsizetype rows) { numbers_.reserve(size_t(rows)); }
    // The cell plots as what CellValue::toNumber reads, or as number when the caller knows
    // better (dates on a time axis).
    void append(const CellValue& cell) { append(cell, cell.toNumber()); }
    void append(const CellValue& cell, std::optional<double> number);

    qsizetype rowCount() const { return qsizetype(numbers_.size()); }
    bool isEmpty() const { return numbers_.empty(); }
    // A NaN number plots as none.
    std::optional<double> number(qsizetype row) const;
    CellValue cell(qsizetype row) const;

private:
    std::vector<double> numbers_;
    QHash<qsizetype, CellValue> otherCells_;
};
