#pragma once
// An open database. Callers hand it Jet SQL text exactly as the query builders emit it; the
// driver translates it into its engine's dialect just before execution, one statement per call.
// Values go in through bound "?" markers, never through the text. Failures return false or
// nullopt and leave their text in lastError(). Owned by whoever opened it (the session state or a
// short-lived helper); not shared between threads.
#include "platform/ColumnDescription.h"
#include "platform/ColumnOrigin.h"
#include "platform/ForeignKeyDescription.h"
#include "platform/IndexDescription.h"
#include "platform/PreparedStatement.h"
#include "platform/RowSet.h"
#include "platform/SqlDialect.h"
#include "platform/TableDescription.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Connection {
public:
    virtual ~Connection() = default;

    virtual SqlDialect dialect() const = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual QString lastError() const = 0;

    // Rows affected (0 for DDL), nullopt on failure.
    virtual std::optional<qint64> execute(const QString& jetSql,
                                          const std::vector<CellValue>& values = {}) = 0;
    virtual std::optional<RowSet> query(const QString& jetSql,
                                        const std::vector<CellValue>& values = {}) = 0;
    // The rows of a query one at a time, in the order query() gives them, without keeping them:
    // visit sees each row once and must copy what it keeps (a driver may reuse the row). False
    // on failure; rows already visited stay visited. By default query() then a pass over it.
    using RowVisitor = std::function<void(const RowSet::Row& row)>;
    virtual bool forEachRow(const QString& jetSql, const RowVisitor& visit,
                            const std::vector<CellValue>& values = {});
    // The column names of a table or stored query, read by opening it empty; nullopt when it
    // cannot be opened.
    std::optional<QStringList> columnNamesOf(const QString& tableOrView);
    // nullptr on failure.
    virtual std::unique_ptr<PreparedStatement> prepare(const QString& jetSql) = 0;

    virtual bool beginTransaction() = 0;
    virtual bool commit() = 0;
    virtual bool rollback() = 0;

    // Schema reads. Each is one pass over the engine's catalogue; user tables, views and system
    // tables in the order the engine gives them.
    virtual std::optional<std::vector<TableDescription>> tables() = 0;
    // Columns of every table and view, grouped by table, in column order.
    virtual std::optional<std::vector<ColumnDescription>> columns() = 0;
    // Indexes of every table, primary keys included (also those the engine keeps without an
    // index entry, such as SQLite's INTEGER PRIMARY KEY).
    virtual std::optional<std::vector<IndexDescription>> indexes() = 0;
    virtual std::optional<std::vector<ForeignKeyDescription>> foreignKeys() = 0;
    // Base table and column of each column of a view or table, in column order.
    virtual std::optional<std::vector<ColumnOrigin>> columnOrigins(const QString& viewOrTable) = 0;
};
