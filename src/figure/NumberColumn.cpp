#include "figure/NumberColumn.h"

#include <cmath>
#include <limits>

void NumberColumn::append(const CellValue& cell, std::optional<double> number) {
    const auto row = qsizetype(numbers_.size());
    numbers_.push_back(number.value_or(std::numeric_limits<double>::quiet_NaN()));
    if (cell.kind() != CellValue::Kind::Number || !number || *number != *cell.toNumber())
        otherCells_.insert(row, cell);
}

std::optional<double> NumberColumn::number(qsizetype row) const {
    const double v = numbers_[size_t(row)];
    if (std::isnan(v))
        return std::nullopt;
    return v;
}

CellValue NumberColumn::cell(qsizetype row) const {
    const auto it = otherCells_.constFind(row);
    return it != otherCells_.constEnd() ? it.value() : CellValue::number(numbers_[size_t(row)]);
}
