#pragma once
// Reads the rows of a query field by field (FieldCursor), for callers that take millions of
// rows and need no CellValue per cell: SQLite statements hand their fields straight from the
// engine, any other driver its forEachRow rows behind a cursor. Anyone may call it.
#include "platform/Connection.h"
#include "platform/FieldCursor.h"

#include <functional>

class FieldReader {
public:
    using Visitor = std::function<void(const FieldCursor& row)>;

    // The rows in the order Connection::query gives them; false on failure, with the reason in
    // `error`. Rows already visited stay visited.
    static bool forEachField(Connection& db, const QString& jetSql, const Visitor& visit,
                             QString& error, const std::vector<CellValue>& values = {});
};
