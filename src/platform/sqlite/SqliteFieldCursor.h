#pragma once
// The FieldCursor of a stepped SQLite statement: numbers and texts straight from the engine,
// everything else (Nulls, booleans, dates, blobs) through SqliteTypeMap as a CellValue.
#include "platform/FieldCursor.h"

#include <vector>

struct sqlite3_stmt;

class SqliteFieldCursor : public FieldCursor {
public:
    // codes: each column's declared type code (SqliteTypeMap::declaredCode).
    SqliteFieldCursor(sqlite3_stmt* statement, const std::vector<int>& codes)
        : statement_(statement)
        , codes_(codes) {}

    int columnCount() const override { return int(codes_.size()); }
    CellValue value(int column) const override;
    std::optional<double> number(int column) const override;
    std::optional<QByteArrayView> utf8(int column) const override;

private:
    sqlite3_stmt* statement_;
    const std::vector<int>& codes_;
};
