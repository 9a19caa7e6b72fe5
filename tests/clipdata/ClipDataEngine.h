#pragma once
// A database on a real engine for the ClipData tests: a fresh SQLite file, or a schema of the
// test's own on the PostgreSQL server (skipped without QUV_PG_CONNINFO).
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class ClipDataEngine : public ::testing::TestWithParam<Engine> {
protected:
    QTemporaryDir dir;
    std::unique_ptr<PgScratchSchema> pgSchema;
    std::unique_ptr<Connection> db;

    void SetUp() override {
        if (GetParam() == Engine::Postgres) {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pgSchema = std::make_unique<PgScratchSchema>(QStringLiteral("quv_clipdata"));
            ASSERT_TRUE(pgSchema->ok()) << pgSchema->error().toStdString();
        }
        OpenedConnection opened =
            GetParam() == Engine::Sqlite
                ? SqliteConnection::open(dir.filePath(QStringLiteral("clip.sqlite")),
                                         SqliteConnection::Mode::ReadWriteCreate)
                : pgSchema->open();
        ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
        db = std::move(opened.connection);
    }

    void TearDown() override {
        db.reset(); // before its schema is dropped
        pgSchema.reset();
    }

    void run(const QString& sql, const std::vector<CellValue>& values = {}) {
        ASSERT_TRUE(db->execute(sql, values))
            << sql.toStdString() << ": " << db->lastError().toStdString();
    }
};
