#pragma once
// A FieldCursor over a row of CellValues: what a driver without a cursor of its own hands on.
#include "platform/FieldCursor.h"
#include "platform/RowSet.h"

class RowFieldCursor : public FieldCursor {
public:
    explicit RowFieldCursor(const RowSet::Row& row)
        : row_(row) {}

    int columnCount() const override { return int(row_.size()); }
    CellValue value(int column) const override { return row_[size_t(column)]; }
    std::optional<double> number(int column) const override {
        const CellValue& v = row_[size_t(column)];
        return v.kind() == CellValue::Kind::Number ? v.toNumber() : std::nullopt;
    }
    std::optional<QByteArrayView> utf8(int) const override { return std::nullopt; }

private:
    const RowSet::Row& row_;
};
