#pragma once
// A test's own folder with SQLite databases made from SQL scripts, and a session that opens them
// the way the main window does, with scripted dialogs.
#include "db/ConnectionFactory.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

class SqliteSession : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status,
                            [](const QString& p) { return ConnectionFactory::open(p); },
                            [](const QString& p) { return MapFile::pathFor(p, false, {}); }};

    // dir/name made by the script (statements ending in ";"); its path.
    QString makeDatabase(const char* name, const char* script) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        sqlite3* handle = nullptr;
        EXPECT_EQ(sqlite3_open(path.toUtf8().constData(), &handle), SQLITE_OK);
        char* error = nullptr;
        EXPECT_EQ(sqlite3_exec(handle, script, nullptr, nullptr, &error), SQLITE_OK)
            << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(handle);
        return path;
    }

    // The database made and opened as the session.
    void openSession(const char* name, const char* script) {
        session.SessionDatabasePath = makeDatabase(name, script);
        ASSERT_TRUE(session.OpenSessionDatabase({true, false, false}));
    }
};
