#pragma once
// The engines the database tests run on, and for PostgreSQL a schema of the test's own on the
// server that ./quv test starts (QUV_PG_CONNINFO): created on construction, dropped with
// everything in it on destruction, so tests never see each other's tables.
#include "platform/postgres/PgConnection.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

enum class Engine { Sqlite, Postgres };

inline void PrintTo(Engine e, std::ostream* os) {
    *os << (e == Engine::Sqlite ? "SQLite" : "PostgreSQL");
}

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "PostgreSql";
}

class PgScratchSchema {
public:
    static QString conninfo() { return qEnvironmentVariable("QUV_PG_CONNINFO"); }
    static constexpr const char* skipReason =
        "QUV_PG_CONNINFO is not set (./quv test starts a server)";

    // prefix: names the test in the schema's name, e.g. "quv_grid".
    explicit PgScratchSchema(const QString& prefix)
        : name_(prefix + QStringLiteral("_%1").arg(QRandomGenerator::global()->generate())) {
        OpenedConnection admin = PgConnection::open(conninfo());
        error_ = admin.error;
        if (admin.ok() && !native(admin, QStringLiteral("CREATE SCHEMA ") + name_))
            error_ = admin.connection->lastError();
    }
    ~PgScratchSchema() {
        if (!ok())
            return;
        OpenedConnection admin = PgConnection::open(conninfo());
        if (admin.ok())
            native(admin, QStringLiteral("DROP SCHEMA ") + name_ + QStringLiteral(" CASCADE"));
    }
    PgScratchSchema(const PgScratchSchema&) = delete;
    PgScratchSchema& operator=(const PgScratchSchema&) = delete;

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }
    const QString& name() const { return name_; }

    // A new connection that works in the schema.
    OpenedConnection open() const {
        OpenedConnection opened = PgConnection::open(conninfo());
        if (opened.ok())
            native(opened, QStringLiteral("SET search_path TO ") + name_);
        return opened;
    }

private:
    static bool native(OpenedConnection& c, const QString& sql) {
        return static_cast<PgConnection&>(*c.connection).executeNative(sql).has_value();
    }

    QString name_;
    QString error_;
};
