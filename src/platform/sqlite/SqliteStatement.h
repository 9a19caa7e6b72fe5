#pragma once
// A compiled SQLite statement with bound values. Made by SqliteConnection::prepare and used by
// the connection itself for one-off statements; must not outlive the connection.
#include "platform/FieldCursor.h"
#include "platform/PreparedStatement.h"
#include "platform/sqlite/SqliteHandles.h"

#include <functional>

class SqliteStatement : public PreparedStatement {
public:
    SqliteStatement(const std::shared_ptr<sqlite3>& db, SqliteStatementHandle statement);

    int parameterCount() const override;
    std::optional<qint64> execute(const std::vector<CellValue>& values) override;
    std::optional<RowSet> query(const std::vector<CellValue>& values) override;
    QString lastError() const override { return error_; }
    // Each row in turn in one reused buffer; false on failure.
    bool forEachRow(const std::vector<CellValue>& values,
                    const std::function<void(const RowSet::Row&)>& visit);
    // Each row in turn behind one cursor; false on failure.
    bool forEachField(const std::vector<CellValue>& values,
                      const std::function<void(const FieldCursor&)>& visit);

private:
    bool bindAll(const std::vector<CellValue>& values);
    bool fail(const QString& text);

    std::weak_ptr<sqlite3> db_;
    sqlite3* raw_; // valid while db_ is
    SqliteStatementHandle statement_;
    QString error_;
};
