#pragma once
// A SQLite connection whose BEGIN meets another connection's write lock, let go right after (as
// another program's short write would): BEGIN IMMEDIATE fails with "database is locked", and the
// statements that follow would succeed outside any transaction. Everything else goes straight
// to the real connection.
#include "platform/Connection.h"
#include "platform/OpenedConnection.h"

class ContendedConnection : public Connection {
public:
    // Opens `path` twice: the connection used, and the one that holds the lock.
    static OpenedConnection open(const QString& path);

    SqlDialect dialect() const override { return inner_->dialect(); }
    bool isOpen() const override { return inner_->isOpen(); }
    void close() override { inner_->close(); }
    QString lastError() const override { return inner_->lastError(); }
    std::optional<qint64> execute(const QString& s, const std::vector<CellValue>& v) override {
        return inner_->execute(s, v);
    }
    std::optional<RowSet> query(const QString& s, const std::vector<CellValue>& v) override {
        return inner_->query(s, v);
    }
    std::unique_ptr<PreparedStatement> prepare(const QString& s) override {
        return inner_->prepare(s);
    }
    bool beginTransaction() override;
    bool commit() override { return inner_->commit(); }
    bool rollback() override { return inner_->rollback(); }
    std::optional<std::vector<TableDescription>> tables() override { return inner_->tables(); }
    std::optional<std::vector<ColumnDescription>> columns() override { return inner_->columns(); }
    std::optional<std::vector<IndexDescription>> indexes() override { return inner_->indexes(); }
    std::optional<std::vector<ForeignKeyDescription>> foreignKeys() override {
        return inner_->foreignKeys();
    }
    std::optional<std::vector<ColumnOrigin>> columnOrigins(const QString& v) override {
        return inner_->columnOrigins(v);
    }

    int begins = 0;

private:
    std::unique_ptr<Connection> inner_;
    std::unique_ptr<Connection> holder_;
};
