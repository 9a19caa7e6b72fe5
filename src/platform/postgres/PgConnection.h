#pragma once
// The PostgreSQL driver (libpq): the server data source. The data source is a service name, a
// conninfo string ("host=... dbname=...") or a postgresql:// URI; user and password come from the
// caller (the Open Database dialog or the settings) and override what the data source says.
// Schema reads cover the connection's current schema. Owned by the session state or a helper.
#include "platform/Connection.h"
#include "platform/OpenedConnection.h"
#include "platform/postgres/PgHandles.h"

class PgConnection : public Connection {
public:
    static OpenedConnection open(const QString& dataSource, const QString& user = {},
                                 const QString& password = {});

    SqlDialect dialect() const override { return SqlDialect::Postgres; }
    bool isOpen() const override;
    void close() override { conn_.reset(); }
    QString lastError() const override { return error_; }

    std::optional<qint64> execute(const QString& jetSql,
                                  const std::vector<CellValue>& values = {}) override;
    std::optional<RowSet> query(const QString& jetSql,
                                const std::vector<CellValue>& values = {}) override;
    // Single-row mode: the server's rows arrive one at a time and are never held together.
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

    // PostgreSQL text as it stands, without Jet translation.
    std::optional<RowSet> queryNative(const QString& sql,
                                      const std::vector<CellValue>& values = {});
    std::optional<qint64> executeNative(const QString& sql,
                                        const std::vector<CellValue>& values = {});

private:
    explicit PgConnection(PgConnectionHandle conn)
        : conn_(conn.release(), PgConnectionCloser()) {}
    std::optional<QString> translate(const QString& jetSql, int* parameters = nullptr);
    bool checkOpen();
    std::optional<ColumnOrigin> originOf(unsigned tableOid, int column, int depth);

    // Shared with the prepared statements only weakly: a statement outliving close() fails cleanly.
    std::shared_ptr<PGconn> conn_;
    QString error_;
    int nextStatement_ = 0;
};
