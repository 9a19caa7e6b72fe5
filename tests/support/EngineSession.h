#pragma once
// A session database on each engine the tests run on, opened the way the main window opens
// one: a SQLite file in a folder of the test's own, or a PostgreSQL schema of its own that is
// dropped afterwards (the test is skipped without a server). fill makes the tables first.
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class EngineSession : public ::testing::TestWithParam<Engine> {
protected:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    std::unique_ptr<PgScratchSchema> pgSchema;
    std::unique_ptr<SessionDatabase> session;

    OpenedConnection openEngine(bool create) {
        if (GetParam() == Engine::Sqlite)
            return SqliteConnection::open(dir.filePath(QStringLiteral("rocks.sqlite")),
                                          create ? SqliteConnection::Mode::ReadWriteCreate
                                                 : SqliteConnection::Mode::ReadWrite);
        return pgSchema->open();
    }

    // schemaPrefix names the test in the PostgreSQL schema's name, e.g. "quv_stats".
    void openSession(const QString& schemaPrefix, const std::function<void(Connection&)>& fill) {
        if (GetParam() == Engine::Postgres) {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pgSchema = std::make_unique<PgScratchSchema>(schemaPrefix);
            ASSERT_TRUE(pgSchema->ok()) << pgSchema->error().toStdString();
        }
        {
            OpenedConnection setup = openEngine(true);
            ASSERT_TRUE(setup.ok()) << setup.error.toStdString();
            ASSERT_NO_FATAL_FAILURE(fill(*setup.connection));
        }
        session = std::make_unique<SessionDatabase>(
            dialogs, status, [this](const QString&) { return openEngine(false); },
            [this](const QString&) { return dir.filePath(QStringLiteral("rocks.ake")); });
        session->SessionDatabasePath = QStringLiteral("rocks");
        ASSERT_TRUE(session->OpenSessionDatabase({true, false, false}));
    }

    void TearDown() override {
        session.reset(); // before its schema is dropped
        pgSchema.reset();
    }
};
