#pragma once
// A session database for the calculation tests on a real engine (a fresh SQLite file, or a
// schema of the test's own on the PostgreSQL server) holding the table Chem: ten samples keyed
// by text (one key with a quote) with the columns A, B, C and Capped (which refuses 5 or more).
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/PgScratchSchema.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class CalcEngine : public ::testing::TestWithParam<Engine> {
protected:
    QTemporaryDir dir;
    std::unique_ptr<PgScratchSchema> pgSchema;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    std::unique_ptr<SessionDatabase> session;

    static QString key(int i) {
        return i == 3 ? QStringLiteral("O'Neil")
                      : QStringLiteral("S%1").arg(i, 2, 10, QLatin1Char('0'));
    }

    void SetUp() override {
        if (GetParam() == Engine::Postgres) {
            if (PgScratchSchema::conninfo().isEmpty())
                GTEST_SKIP() << PgScratchSchema::skipReason;
            pgSchema = std::make_unique<PgScratchSchema>(QStringLiteral("quv_calc"));
            ASSERT_TRUE(pgSchema->ok()) << pgSchema->error().toStdString();
        }
        const QString path = dir.filePath(QStringLiteral("calc.sqlite"));
        const auto open = [this, path](const QString&) {
            return GetParam() == Engine::Sqlite
                       ? SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate)
                       : pgSchema->open();
        };
        {
            OpenedConnection created = open(QString());
            ASSERT_TRUE(created.ok()) << created.error.toStdString();
            Connection& db = *created.connection;
            for (const char* sql :
                 {"CREATE TABLE [Chem] ([SampleNo] TEXT(10) CONSTRAINT [pk] PRIMARY KEY, [A] "
                  "DOUBLE, [B] DOUBLE, [C] DOUBLE, [Capped] DOUBLE CHECK ([Capped] < 5))",
                  "CREATE TABLE [Other] ([Code] TEXT(10), [Value] DOUBLE)"})
                ASSERT_TRUE(db.execute(QString::fromUtf8(sql)))
                    << sql << db.lastError().toStdString();
            // Row i: A = i, B = i - 5 (0 for S05), C Null for S07, A and B 0.1 and 0.2 for S10.
            for (int i = 1; i <= 10; ++i)
                ASSERT_TRUE(
                    db.execute(QStringLiteral("INSERT INTO [Chem] VALUES (?, ?, ?, ?, 1)"),
                               {CellValue::text(key(i)), CellValue::number(i == 10 ? 0.1 : i),
                                CellValue::number(i == 10 ? 0.2 : i - 5),
                                i == 7 ? CellValue::null() : CellValue::number(2 * i)}))
                    << db.lastError().toStdString();
        }
        session = std::make_unique<SessionDatabase>(dialogs, status, open, [this](const QString&) {
            return dir.filePath(QStringLiteral("calc.ake"));
        });
        session->SessionDatabasePath = QStringLiteral("calc");
        ASSERT_TRUE(session->OpenSessionDatabase({true, false, false}));
        dialogs.clearLog();
    }

    void TearDown() override {
        session.reset(); // before its schema is dropped
        pgSchema.reset();
    }

    Connection& db() { return *session->connection(); }

    // The column's value per key, in key order, as text ("" for Null).
    QStringList column(const QString& name) {
        QStringList out;
        const auto rows = db().query(QStringLiteral("SELECT [") + name +
                                     QStringLiteral("] FROM [Chem] ORDER BY [SampleNo]"));
        EXPECT_TRUE(rows) << db().lastError().toStdString();
        for (qsizetype r = 0; rows && r < rows->rowCount(); ++r)
            out << rows->at(r, 0).toText();
        return out;
    }
};
