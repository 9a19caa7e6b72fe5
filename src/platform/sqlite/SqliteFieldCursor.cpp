#include "platform/sqlite/SqliteFieldCursor.h"

#include "platform/AdoType.h"
#include "platform/sqlite/SqliteTypeMap.h"

#include <sqlite3.h>

CellValue SqliteFieldCursor::value(int column) const {
    return SqliteTypeMap::read(statement_, column, codes_[size_t(column)]);
}

// As SqliteTypeMap::read: an integer of a Boolean column is a boolean, not a number.
std::optional<double> SqliteFieldCursor::number(int column) const {
    switch (sqlite3_column_type(statement_, column)) {
    case SQLITE_INTEGER:
        if (codes_[size_t(column)] == AdoType::Boolean)
            return std::nullopt;
        return double(sqlite3_column_int64(statement_, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement_, column);
    default:
        return std::nullopt;
    }
}

// As SqliteTypeMap::read: a text of a Date column may be a date.
std::optional<QByteArrayView> SqliteFieldCursor::utf8(int column) const {
    if (sqlite3_column_type(statement_, column) != SQLITE_TEXT ||
        codes_[size_t(column)] == AdoType::Date)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return QByteArrayView(text, sqlite3_column_bytes(statement_, column));
}
