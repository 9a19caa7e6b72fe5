#pragma once
// The SQLite driver: a database file opened through the sqlite3 C API. Jet text is translated
// before each statement. Also the engine of the Jet working copies. Owned by the session state
// or by a helper that opens a file for one job.
#include "platform/Connection.h"
#include "platform/OpenedConnection.h"
#include "platform/sqlite/SqliteHandles.h"

class SqliteStatement;

class SqliteConnection : public Connection {
public:
    enum class Mode { ReadWrite, ReadWriteCreate, ReadOnly };
    static OpenedConnection open(const QString& path, Mode mode = Mode::ReadWrite);

    SqlDialect dialect() const override { return SqlDialect::Sqlite; }
    bool isOpen() const override { return db_ != nullptr; }
    void close() override { db_.reset(); }
    QString lastError() const override { return error_; }

    std::optional<qint64> execute(const QString& jetSql,
                                  const std::vector<CellValue>& values = {}) override;
    std::optional<RowSet> query(const QString& jetSql,
                                const std::vector<CellValue>& values = {}) override;
    // Steps the statement and reuses one row: a large result is never held whole.
    bool forEachRow(const QString& jetSql, const RowVisitor& visit,
                    const std::vector<CellValue>& values = {}) override;
    std::unique_ptr<PreparedStatement> prepare(const QString& jetSql) override;

    bool beginTransaction() override;
    bool commit() override;
    bool rollback() override;

    std::optional<std::vector<TableDescription>> tables() override;
    std::optional<std::vector<ColumnDescription>> columns() override;
    std::optional<std::vector<IndexDescription>> indexes() override;
    std::optional<std::vector<ForeignKeyDescription>> foreignKeys() override;
    std::optional<std::vector<ColumnOrigin>> columnOrigins(const QString& viewOrTable) override;

    // Runs SQLite text as it stands, without Jet translation (schema reads, imports).
    std::optional<RowSet> queryNative(const QString& sql,
                                      const std::vector<CellValue>& values = {});
    std::optional<qint64> executeNative(const QString& sql,
                                        const std::vector<CellValue>& values = {});
    std::unique_ptr<PreparedStatement> prepareNative(const QString& sql);

private:
    explicit SqliteConnection(SqliteDatabaseHandle db)
        : db_(db.release(), SqliteDatabaseCloser()) {}
    std::unique_ptr<SqliteStatement> compile(const QString& sql);
    std::optional<QString> translate(const QString& jetSql);
    void dropPlaceholderAfterAddColumn(const QString& jetSql);
    template <typename T> std::optional<T> failed(const QString& text) {
        error_ = text;
        return std::nullopt;
    }

    // Shared with the prepared statements only weakly: a statement outliving close() fails cleanly
    // (sqlite3_close_v2 waits for the last statement to be finalized).
    std::shared_ptr<sqlite3> db_;
    QString error_;
};
