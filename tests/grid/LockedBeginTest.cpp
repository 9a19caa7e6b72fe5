// A write whose transaction cannot begin (another program holds the database's write lock at
// that moment) writes nothing, even when the lock is gone a moment later, and says why.
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "grid/DatabaseAppend.h"
#include "grid/GridBulkEdits.h"
#include "grid/GridPaste.h"
#include "grid/GridQueryEditor.h"
#include "grid/GridSchemaCommands.h"
#include "grid/GridTarget.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/ContendedConnection.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct Session {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("locked.sqlite"));
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    std::unique_ptr<SessionDatabase> session;

    Session() {
        auto made = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
        for (const char* sql :
             {"CREATE TABLE [Samples] ([SampleNo] TEXT(10) CONSTRAINT [pk] PRIMARY KEY, [Au] "
              "DOUBLE)",
              "INSERT INTO [Samples] VALUES ('S1', 1)",
              "CREATE VIEW [Rocks] AS SELECT * FROM [Samples]"})
            made.connection->execute(QString::fromLatin1(sql));
        made.connection.reset();
        session = std::make_unique<SessionDatabase>(
            dialogs, status, [](const QString& p) { return ContendedConnection::open(p); },
            [](const QString& p) { return MapFile::pathFor(p, false, {}); });
        session->SessionDatabasePath = path;
        session->OpenSessionDatabase({true, false, false});
        dialogs.clearLog();
    }
    GridTarget target() const {
        return {session->connection(),
                QStringLiteral("SELECT * FROM [Samples]"),
                {},
                QStringLiteral("Samples"),
                {QStringLiteral("SampleNo")}};
    }
};

// Schema and rows, read through a connection of its own.
QStringList contents(const QString& path) {
    auto opened = SqliteConnection::open(path, SqliteConnection::Mode::ReadOnly);
    auto& db = static_cast<SqliteConnection&>(*opened.connection);
    QStringList out;
    const auto schema = db.queryNative(QStringLiteral("SELECT sql FROM sqlite_schema ORDER BY 1"));
    for (qsizetype r = 0; schema && r < schema->rowCount(); ++r)
        out << schema->at(r, 0).toText();
    const auto rows = db.queryNative(QStringLiteral("SELECT * FROM Samples ORDER BY 1"));
    for (qsizetype r = 0; rows && r < rows->rowCount(); ++r)
        out << rows->at(r, 0).toText() + QLatin1Char('|') + rows->at(r, 1).toText();
    return out;
}

struct Write {
    const char* name;
    std::function<bool(Session&)> run; // true when it reported success
    const char* said;                  // how the message begins
};

const QString pasted = QStringLiteral("SampleNo\tAu\r\nS2\t5\r\nS3\t6\r\n");

const Write writes[] = {
    {"paste",
     [](Session& s) {
         return GridPaste(s.target(), s.session->catalogue(), s.dialogs, s.status).append(pasted) >=
                0;
     },
     "Nothing was added: the database cannot be written (the transaction cannot begin).\r\n"},
    {"paste and merge",
     [](Session& s) {
         return GridPaste(s.target(), s.session->catalogue(), s.dialogs, s.status).merge(pasted) >=
                0;
     },
     "Nothing was merged: the database cannot be written (the transaction cannot begin).\r\n"},
    {"append to database",
     [](Session& s) {
         s.dialogs.queueText(QStringLiteral("A"));
         s.dialogs.queueText(QStringLiteral("A"));
         s.dialogs.queueAnswer(Answer::No);
         s.dialogs.queueAnswer(Answer::Yes);
         return DatabaseAppend(*s.session->connection(), s.session->catalogue(), s.dialogs,
                               s.status)
                    .run(pasted, QStringLiteral("tester"), QString()) >= 0;
     },
     "Nothing was written: "},
    {"add field",
     [](Session& s) {
         return GridSchemaCommands(*s.session, s.dialogs)
             .addField(QStringLiteral("Samples"), {QStringLiteral("Cu"), QStringLiteral("DOUBLE")});
     },
     "Field Cu cannot be added."},
    {"trim",
     [](Session& s) {
         s.dialogs.queueAnswer(Answer::Yes);
         return GridBulkEdits(s.target(), s.dialogs, s.status).trim(0, 1);
     },
     "Nothing was changed: the database cannot be written (the transaction cannot begin).\r\n"},
    {"delete records",
     [](Session& s) {
         s.dialogs.queueAnswer(Answer::Yes);
         return GridBulkEdits(s.target(), s.dialogs, s.status).deleteRows({0});
     },
     "Nothing was deleted: the database cannot be written (the transaction cannot begin).\r\n"},
    {"edit a query",
     [](Session& s) {
         return GridQueryEditor(*s.session->connection(), s.dialogs)
             .store(QStringLiteral("Rocks"), QStringLiteral("SELECT [SampleNo] FROM [Samples]"));
     },
     "Query Rocks is kept as it was:\r\n"},
};

TEST(LockedBegin, WritesNothingAndSaysWhy) {
    for (const Write& w : writes) {
        SCOPED_TRACE(w.name);
        Session s;
        const QStringList before = contents(s.path);
        ASSERT_TRUE(before.contains(QStringLiteral("S1|1"))) << before.join('\n').toStdString();
        EXPECT_FALSE(w.run(s));
        EXPECT_GE(static_cast<ContendedConnection*>(s.session->connection())->begins, 1);
        EXPECT_EQ(contents(s.path), before);
        ASSERT_FALSE(s.dialogs.texts().isEmpty());
        const QString said = s.dialogs.texts().last();
        EXPECT_TRUE(said.startsWith(QString::fromLatin1(w.said))) << said.toStdString();
        EXPECT_TRUE(said.contains(QStringLiteral("database is locked"))) << said.toStdString();
    }
}

} // namespace
