#pragma once
// Maps SQLite declared column types (as our DDL translation and the Jet import write them, and as
// other programs commonly write them) to ADO type codes and lengths, and turns stored values
// back into cells of the declared kind (booleans, dates). Stateless.
#include "platform/CellValue.h"

#include "platform/sqlite/SqliteHandles.h"
#include <QString>

class SqliteTypeMap {
public:
    struct Type {
        int code;
        int maxLength; // -1 when the type has none
    };
    static Type adoType(const QString& declaredType);

    // The value of column `index` of the current row of `statement`.
    static CellValue read(sqlite3_stmt* statement, int index);
    // The same with the column's declared ADO type code (declaredCode), which is fixed for a
    // compiled statement: a loop over many rows looks it up once per column.
    static CellValue read(sqlite3_stmt* statement, int index, int declaredCode);
    static int declaredCode(sqlite3_stmt* statement, int index);
    // Binds `value` to marker `index` (1-based); returns the sqlite3 result code.
    static int bind(sqlite3_stmt* statement, int index, const CellValue& value);
};
