#pragma once
// A compiled SQLite statement with bound values. Made by SqliteConnection::prepare and used by
// the connection itself for one-off statements; must not outlive the connection.
#include "platform/PreparedStatement.h"
#include "platform/sqlite/SqliteHandles.h"

class SqliteStatement : public PreparedStatement {
public:
    SqliteStatement(sqlite3* db, SqliteStatementHandle statement);

    int parameterCount() const override;
    std::optional<qint64> execute(const std::vector<CellValue>& values) override;
    std::optional<RowSet> query(const std::vector<CellValue>& values) override;
    QString lastError() const override { return error_; }

private:
    bool bindAll(const std::vector<CellValue>& values);
    bool fail(const QString& text);

    sqlite3* db_;
    SqliteStatementHandle statement_;
    QString error_;
};
