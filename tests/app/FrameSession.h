#pragma once
// The main frame over a session database rocks.sqlite in a temporary folder, wired as the
// program wires it, for tests that drive the frame on the offscreen platform. The child windows
// go before the session they hold.
#include "app/MainWindow.h"
#include "app/SampleBrowser.h"
#include "app/WindowGeometry.h"
#include "app/ui/MainFrame.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"
#include "platform/qt/QtStatus.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>

// The action reached by following captions from a menu bar, nullptr when one is missing.
inline QAction* actionAt(const QMenuBar* bar, const QStringList& path) {
    QList<QAction*> actions = bar->actions();
    QAction* found = nullptr;
    for (const QString& caption : path) {
        found = nullptr;
        for (QAction* a : actions)
            if (a->text() == caption)
                found = a;
        if (!found)
            return nullptr;
        if (found->menu())
            actions = found->menu()->actions();
    }
    return found;
}

class FrameSession : public ::testing::Test {
protected:
    // Writes rocks.sqlite with the statements.
    void makeDatabase(std::initializer_list<const char*> statements) {
        ASSERT_TRUE(dir.isValid());
        auto created = SqliteConnection::open(dbPath, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(created.ok());
        for (const char* sql : statements)
            ASSERT_TRUE(created.connection->execute(QString::fromUtf8(sql))) << sql;
    }
    // rocks.sqlite made by fill, the frame bound as the program binds it (program and user folder
    // the test's folder, the system database in system/), the database opened and the frame
    // shown.
    void openFrame(const std::function<void(Connection&)>& fill) {
        ASSERT_TRUE(dir.isValid());
        {
            auto created = SqliteConnection::open(dbPath, SqliteConnection::Mode::ReadWriteCreate);
            ASSERT_TRUE(created.ok());
            ASSERT_NO_FATAL_FAILURE(fill(*created.connection));
        }
        frame.bind({window,
                    browser,
                    session,
                    dialogs,
                    {dir.path(), dir.path()},
                    dir.filePath(QStringLiteral("system/QUVData.sqlite"))});
        ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
        frame.show();
    }
    void openFrame(std::initializer_list<const char*> statements) {
        openFrame([&statements](Connection& db) {
            for (const char* sql : statements)
                ASSERT_TRUE(db.execute(QString::fromUtf8(sql))) << sql;
        });
    }
    void TearDown() override { frame.deleteChildWindows(); }

    QTemporaryDir dir;
    QString dbPath = dir.filePath(QStringLiteral("rocks.sqlite"));
    UserSettingsStore store{dir.filePath(QStringLiteral("config"))};
    WindowGeometry geometry{store};
    ScriptedDialogs dialogs;
    MainFrame frame{geometry};
    SessionDatabase session{dialogs, frame.status(),
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [](const QString& p) { return MapFile::pathFor(p, false, {}); }};
    MainWindow window{session, dialogs, frame.status(),
                      RecentFiles(dir.filePath(QStringLiteral("lastfiles.ini"))), dir.path()};
    SampleBrowser browser{session, dialogs, frame.status()};
};
