#pragma once
// A statement prepared on the server (PQprepare) with values bound as texts. Made by
// PgConnection::prepare; must not outlive the connection.
#include "platform/PreparedStatement.h"
#include "platform/postgres/PgHandles.h"

#include <QByteArray>
#include <optional>
#include <vector>

class PgStatement : public PreparedStatement {
public:
    PgStatement(std::weak_ptr<PGconn> connection, QByteArray name, int parameterCount);
    ~PgStatement() override;

    int parameterCount() const override { return parameters_; }
    std::optional<qint64> execute(const std::vector<CellValue>& values) override;
    std::optional<RowSet> query(const std::vector<CellValue>& values) override;
    QString lastError() const override { return error_; }

    // Values as libpq takes them: texts, nullptr for Null; valid while this lives.
    struct Parameters {
        explicit Parameters(const std::vector<CellValue>& values);
        std::vector<std::optional<QByteArray>> texts;
        std::vector<const char*> pointers;
    };
    // Runs a statement through libpq and checks its outcome; used by the connection too.
    static PgResultHandle run(PGconn* connection, const QByteArray* preparedName,
                              const QByteArray& sql, const std::vector<CellValue>& values,
                              QString& error);
    static RowSet rows(const PGresult* result);
    static qint64 affected(const PGresult* result);

private:
    std::optional<qint64> checkCall(const std::vector<CellValue>& values, PgResultHandle& result);

    std::weak_ptr<PGconn> connection_;
    QByteArray name_;
    int parameters_;
    QString error_;
};
