#include "platform/FieldReader.h"

#include "platform/RowFieldCursor.h"
#include "platform/sqlite/SqliteStatement.h"

bool FieldReader::forEachField(Connection& db, const QString& jetSql, const Visitor& visit,
                               QString& error, const std::vector<CellValue>& values) {
    if (db.dialect() == SqlDialect::Sqlite) {
        // A statement that does not compile fails again below, leaving its reason in the
        // connection.
        const std::unique_ptr<PreparedStatement> prepared = db.prepare(jetSql);
        if (auto* statement = dynamic_cast<SqliteStatement*>(prepared.get())) {
            if (statement->forEachField(values, visit))
                return true;
            error = statement->lastError();
            return false;
        }
    }
    if (db.forEachRow(
            jetSql, [&visit](const RowSet::Row& row) { visit(RowFieldCursor(row)); }, values))
        return true;
    error = db.lastError();
    return false;
}
