#include "app/MainWindow.h"
#include "app/RecentDatabaseDisplay.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserSettingsStore.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(RecentDatabaseDisplay, ShortensFromTheFirstSeparatorWithFewerThanTwentyCharactersAfter) {
    const struct {
        const char* path;
        const char* shown;
    } cases[] = {
        {"C:\\data\\rocks.mdb", "...\\data\\rocks.mdb"},
        {"rocks.mdb", "...rocks.mdb"},
        {"/home/geo/projects/2026/rocks.sqlite", ".../2026/rocks.sqlite"},
        // 19 characters after the separator are few enough, 20 are not.
        {"/a/1234567890123456789", ".../1234567890123456789"},
        {"/12345678901234567890", ".../12345678901234567890"},
        {"/averyveryverylongfilename.sqlite", ".../averyveryverylongfilename.sqlite"},
        {"", "..."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RecentDatabaseDisplay::shortened(QString::fromUtf8(c.path)),
                  QString::fromUtf8(c.shown))
            << c.path;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dbPath = dir.filePath(QStringLiteral("rocks.sqlite"));
        auto created = SqliteConnection::open(dbPath, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(created.ok());
        for (const char* sql : {"CREATE TABLE Samples (SampleNo TEXT PRIMARY KEY, Rock TEXT)",
                                "CREATE TABLE Major (SampleNo TEXT PRIMARY KEY, SiO2 DOUBLE)",
                                "CREATE VIEW f_Granite AS SELECT * FROM Samples WHERE "
                                "Rock = 'Granite'",
                                "CREATE VIEW Rocks AS SELECT Rock FROM Samples"})
            ASSERT_TRUE(created.connection->execute(QString::fromUtf8(sql))) << sql;
        window.hooks.setCaption = [this](const QString& c) { captions << c; };
        window.hooks.refreshWindows = [this] { ++refreshes; };
        window.hooks.recordCommand = [this](const QString& c) { recorded << c; };
    }

    QTemporaryDir dir;
    QString dbPath;
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session{dialogs, status,
                            [](const QString& p) { return SqliteConnection::open(p); },
                            [](const QString& p) { return MapFile::pathFor(p, false, {}); }};
    MainWindow window{session, dialogs, status,
                      RecentFiles(dir.filePath(QStringLiteral("lastfiles.ini"))), dir.path()};
    QStringList captions, recorded;
    int refreshes = 0;
};

TEST_F(MainWindowTest, OpeningSetsCaptionRecentListAndRefreshesWindows) {
    RecentFiles(dir.filePath(QStringLiteral("lastfiles.ini")))
        .add(QStringLiteral("/old/other.sqlite"), QStringLiteral("Session"));
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    EXPECT_EQ(recorded, QStringList{QStringLiteral("OPENDB ") + dbPath});
    EXPECT_EQ(window.caption(), QStringLiteral("QUV Data (") + dbPath + QLatin1Char(')'));
    EXPECT_EQ(captions, QStringList{window.caption()});
    EXPECT_EQ(refreshes, 1);
    EXPECT_TRUE(session.isOpen());
    EXPECT_EQ(window.recentDatabases().mid(0, 2), (QStringList{dbPath, "/old/other.sqlite"}));
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST_F(MainWindowTest, AFailedOpenSaysSoAndKeepsTheCaption) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    const QString before = window.caption();
    const QString missing = dir.filePath(QStringLiteral("missing.sqlite"));
    EXPECT_FALSE(window.OpenDBFromMDI(missing, false, false));
    EXPECT_EQ(window.caption(), before);
    ASSERT_FALSE(dialogs.log().empty());
    EXPECT_EQ(dialogs.log().back().text, QStringLiteral("Error in opening database ") + missing);
    EXPECT_EQ(dialogs.log().back().kind, MessageKind::Critical);
    EXPECT_EQ(status.lastProgress(), 0);
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_EQ(window.recentDatabases().front(), dbPath);
}

TEST_F(MainWindowTest, PathsOfTwoCharactersOrFewerAreRecordedButIgnored) {
    RecentFiles recent(dir.filePath(QStringLiteral("lastfiles.ini")));
    recent.add(dbPath, QStringLiteral("Session"));
    recent.add(QStringLiteral("C:"), QStringLiteral("Session"));
    EXPECT_FALSE(window.openRecent(1));
    EXPECT_FALSE(window.OpenDBFromMDI(QStringLiteral("ab"), false, false));
    EXPECT_EQ(recorded, QStringList{QStringLiteral("OPENDB ab")});
    EXPECT_FALSE(session.isOpen());
    EXPECT_TRUE(dialogs.texts().isEmpty());
    EXPECT_EQ(refreshes, 0);
}

TEST_F(MainWindowTest, ARecentEntryOpensAndMovesToTheTop) {
    RecentFiles recent(dir.filePath(QStringLiteral("lastfiles.ini")));
    recent.add(dbPath, QStringLiteral("Session"));
    recent.add(QStringLiteral("/elsewhere/a.sqlite"), QStringLiteral("Session"));
    EXPECT_FALSE(window.openRecent(6));
    EXPECT_FALSE(window.openRecent(0));
    ASSERT_TRUE(window.openRecent(2));
    EXPECT_EQ(window.recentDatabases().mid(0, 2), (QStringList{dbPath, "/elsewhere/a.sqlite"}));
    // The reopened database saved its map for the next time.
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("rocks.ake"))));
}

TEST(MainWindowPasswords, AServerSourcesPasswordIsNeitherShownNorKept) {
    // The server is stood in for by a SQLite file: everything above the driver is the program's.
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("rocks.sqlite"));
    ASSERT_TRUE(SqliteConnection::open(db, SqliteConnection::Mode::ReadWriteCreate)
                    .connection->execute(QStringLiteral("CREATE TABLE Samples (SampleNo TEXT)")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ini"))); // where a server's map goes
    const QString conninfo = QStringLiteral("host=db1 dbname=geo password='s3cret word'");
    const QString shown = QStringLiteral("host=db1 dbname=geo password=***");
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    bool serverUp = true;
    SessionDatabase session{
        dialogs, status,
        [&](const QString&) {
            if (serverUp)
                return SqliteConnection::open(db);
            OpenedConnection refused; // as libpq quotes a word back
            refused.error = QStringLiteral("could not use \"s3cret word\"");
            return refused;
        },
        [&dir](const QString& p) { return MapFile::pathFor(p, true, dir.path()); }};
    const QString lastFiles = dir.filePath(QStringLiteral("lastfiles.ini"));
    MainWindow window{session, dialogs, status, RecentFiles(lastFiles), dir.path()};
    QStringList recorded;
    window.hooks.recordCommand = [&recorded](const QString& c) { recorded << c; };

    ASSERT_TRUE(window.OpenDBFromMDI(conninfo, false, true));
    EXPECT_EQ(window.caption(), QStringLiteral("QUV Data (") + shown + u')');
    EXPECT_EQ(recorded, QStringList{QStringLiteral("OPENDB ") + shown});
    EXPECT_EQ(window.recentDatabases().front(), shown);
    window.showTables();
    serverUp = false;
    EXPECT_FALSE(window.OpenDBFromMDI(conninfo, false, true));

    const auto leaks = [](const QString& text) { return text.contains(QStringLiteral("s3cret")); };
    QStringList shownTexts = status.texts() + dialogs.texts() + recorded;
    EXPECT_GE(shownTexts.size(), 5);
    for (const QString& t : shownTexts)
        EXPECT_FALSE(leaks(t)) << t.toStdString();
    // Nothing kept on disk: lastfiles.ini and the map file, neither in its name nor inside.
    QDirIterator files(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    int kept = 0;
    while (files.hasNext()) {
        const QString path = files.next();
        EXPECT_FALSE(leaks(path)) << path.toStdString();
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_FALSE(f.readAll().contains("s3cret")) << path.toStdString();
        ++kept;
    }
    EXPECT_GE(kept, 3); // the database, lastfiles.ini and the map file
}

TEST_F(MainWindowTest, ListingsNameTablesQueriesAndFilters) {
    struct Listing {
        void (MainWindow::*show)();
        QString heading;
        QStringList names;
    };
    const Listing listings[] = {
        {&MainWindow::showTables, QStringLiteral("TABLES of database "), {"Samples", "Major"}},
        {&MainWindow::showQueries, QStringLiteral("QUERIES of the database "), {"Rocks"}},
        {&MainWindow::showFilters, QStringLiteral("FILTERS of the database "), {"f_Granite"}},
    };
    for (const Listing& l : listings) {
        dialogs.clearLog();
        (window.*l.show)();
        EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("No database open")});
    }
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    for (const Listing& l : listings) {
        dialogs.clearLog();
        (window.*l.show)();
        QString expected = l.heading + dbPath;
        for (const QString& n : l.names)
            expected += QStringLiteral("\r\n\t") + n;
        ASSERT_EQ(dialogs.log().size(), 1u);
        EXPECT_EQ(dialogs.log().front().text, expected);
        EXPECT_EQ(dialogs.log().front().kind, MessageKind::Information);
    }
}

TEST_F(MainWindowTest, ClosingClearsTheCaption) {
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    window.closeDatabase();
    EXPECT_FALSE(session.isOpen());
    EXPECT_EQ(window.caption(), QStringLiteral("QUV Data"));
    EXPECT_EQ(refreshes, 2);
}

TEST_F(MainWindowTest, RemappingSeesNewTablesAndSavesTheMap) {
    EXPECT_FALSE(window.ReeMap());
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("No database open")});
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    ASSERT_TRUE(
        session.connection()->execute(QStringLiteral("CREATE TABLE Trace (SampleNo TEXT)")));
    EXPECT_FALSE(session.catalogue().tableNames().contains(QStringLiteral("Trace")));
    ASSERT_TRUE(window.ReeMap());
    EXPECT_TRUE(session.catalogue().tableNames().contains(QStringLiteral("Trace")));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("rocks.ake"))));
}

TEST_F(MainWindowTest, ASchemaChangeMapsTheOpenConnectionAgainAndKeepsTheLinkFile) {
    EXPECT_FALSE(window.schemaChanged());
    EXPECT_EQ(refreshes, 0);
    // The links the user laid down beside the database: Samples to Major on another field.
    Sheet own;
    own.setText(1, 1, QStringLiteral("Samples"));
    own.setText(1, 2, QStringLiteral("Major"));
    own.setText(1, 3, QStringLiteral("Rock"));
    own.setText(1, 4, QStringLiteral("Rock"));
    ASSERT_TRUE(MapFile::saveLinks(own, MapFile::linkFilePathFor(dbPath)));
    ASSERT_TRUE(window.OpenDBFromMDI(dbPath, false, false));
    ASSERT_EQ(refreshes, 1);
    ASSERT_TRUE(session.connection()->execute(
        QStringLiteral("CREATE TABLE Trace (SampleNo TEXT PRIMARY KEY, Cu DOUBLE)")));

    ASSERT_TRUE(window.schemaChanged());
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(session.catalogue().fieldNames(QStringLiteral("Trace")),
              (QStringList{"SampleNo", "Cu"}));
    EXPECT_EQ(session.catalogue().keyFields(QStringLiteral("Trace")), QStringList{"SampleNo"});
    EXPECT_EQ(session.catalogue().links.text(1, 3), QStringLiteral("Rock"));
    // The saved map knows the new table, so a later quick open from the map sees it too.
    SchemaCatalogue fromMap;
    ASSERT_TRUE(MapFile::load(fromMap, dir.filePath(QStringLiteral("rocks.ake"))));
    EXPECT_TRUE(fromMap.tableNames().contains(QStringLiteral("Trace")));
    // The connection was not made anew: the caption and the recorder saw nothing more.
    EXPECT_EQ(captions.size(), 1);
    EXPECT_EQ(recorded.size(), 1);
}

TEST_F(MainWindowTest, NewDatabaseCreatesAnEmptySqliteFileAndNeverReplacesOne) {
    const QString fresh = dir.filePath(QStringLiteral("fresh"));
    dialogs.queueText(fresh);
    ASSERT_TRUE(window.newDatabase());
    EXPECT_TRUE(QFile::exists(fresh + QStringLiteral(".sqlite")));
    EXPECT_EQ(session.SessionDatabasePath, fresh + QStringLiteral(".sqlite"));
    EXPECT_TRUE(session.catalogue().tableNames().isEmpty());

    const qint64 sizeBefore = QFileInfo(dbPath).size();
    dialogs.clearLog();
    dialogs.queueText(dbPath);
    EXPECT_FALSE(window.newDatabase());
    EXPECT_EQ(dialogs.texts().back(),
              QStringLiteral("Database ") + dbPath + QStringLiteral(" already exists"));
    EXPECT_EQ(QFileInfo(dbPath).size(), sizeBefore);

    dialogs.queueCancel();
    EXPECT_FALSE(window.newDatabase());
}

TEST_F(MainWindowTest, ExitAsksAboutAnUnsavedPictureBook) {
    const struct {
        bool unsaved;
        std::optional<Answer> answer;
        bool saved;
        int questions;
    } cases[] = {
        {false, std::nullopt, false, 0},
        {true, Answer::Yes, true, 1},
        {true, Answer::No, false, 1},
        {true, Answer::Cancel, false, 1},
    };
    for (const auto& c : cases) {
        ScriptedDialogs d;
        MainWindow w{session, d, status, RecentFiles(dir.filePath(QStringLiteral("x.ini"))), {}};
        bool saved = false;
        w.hooks.pictureBookUnsaved = [&] { return c.unsaved; };
        w.hooks.savePictureBook = [&] { saved = true; };
        if (c.answer)
            d.queueAnswer(*c.answer);
        w.exit();
        EXPECT_EQ(saved, c.saved);
        EXPECT_EQ(int(d.log().size()), c.questions);
        if (c.questions) {
            EXPECT_EQ(d.log().front().text,
                      QStringLiteral("PictureBook not saved.\r\nDo you want to save it now?"));
        }
        EXPECT_TRUE(w.exiting());
        EXPECT_EQ(w.currentCommand(), QStringLiteral("Exit"));
    }
}

TEST_F(MainWindowTest, AMinimisedMainWindowKeepsItsStoredGeometry) {
    UserSettingsStore store(dir.filePath(QStringLiteral("config")));
    WindowGeometry geometry(store);
    window.saveMainGeometry(geometry, {10, 20, 800, 600}, true);
    EXPECT_FALSE(geometry.loadMain().left);
    window.saveMainGeometry(geometry, {10, 20, 800, 600}, false);
    EXPECT_EQ(geometry.loadMain().width, 800);
}

TEST_F(MainWindowTest, AMissingProgramIsReported) {
    EXPECT_FALSE(window.startProgram(QStringLiteral("ZolRock")));
    EXPECT_EQ(dialogs.texts(), QStringList{QStringLiteral("The program ") + dir.path() +
                                           QStringLiteral("/ZolRock cannot be started")});
}

} // namespace
