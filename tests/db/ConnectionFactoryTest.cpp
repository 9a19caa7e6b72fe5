#include "db/ConnectionFactory.h"

#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/DbfFiles.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct TextCase {
    const char* path;
    const char* user;
    const char* password;
    const char* text;
};

const TextCase texts[] = {
    {"C:\\data\\rocks.mdb", "", "",
     "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\data\\rocks.mdb"},
    {"/data/ROCKS.MDB", "", "", "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/ROCKS.MDB"},
    // Mixed case is not a Jet file: it falls through to the data-source row.
    {"/data/rocks.Mdb", "", "", "Provider=MSDAORA;User ID=;Password=;Data Source=/data/rocks.Mdb"},
    {"assays.ora", "ann", "pw", "Provider=MSDAORA;User ID=ann;Password=pw;Data Source=assays"},
    {"Assays.Ora", "", "", "Provider=MSDAORA;User ID=;Password=;Data Source=Assays"},
    {"\\\\server\\share\\dbase\\SAMPLES.DBF", "", "",
     "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\\\\server\\share\\dbase\\;Extended "
     "Properties=dBase IV;"},
    {"/data/dbase/samples.dbf", "", "",
     "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/dbase/;Extended Properties=dBase IV;"},
    {"host=db1 dbname=assays", "ann", "s;cret",
     "Provider=MSDAORA;User ID=ann;Password=s;cret;Data Source=host=db1 dbname=assays"},
    {"/data/rocks.sqlite", "", "", "Provider=SQLite;Data Source=/data/rocks.sqlite"},
    {"/data/rocks.DB", "", "", "Provider=SQLite;Data Source=/data/rocks.DB"},
    {"/data/rocks.sqlite3", "", "", "Provider=SQLite;Data Source=/data/rocks.sqlite3"},
    {"/data/rocks.db3", "", "", "Provider=SQLite;Data Source=/data/rocks.db3"},
    {"/data/rocks.mdb.sqlite", "", "", "Provider=SQLite;Data Source=/data/rocks.mdb.sqlite"},
};

class ConnectionText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ConnectionText, FollowsThePathRules) {
    const TextCase& c = GetParam();
    EXPECT_EQ(ConnectionFactory::BuildConnectionString(QString::fromUtf8(c.path),
                                                       QString::fromUtf8(c.user),
                                                       QString::fromUtf8(c.password))
                  .toStdString(),
              c.text);
}

INSTANTIATE_TEST_SUITE_P(Paths, ConnectionText, ::testing::ValuesIn(texts));

TEST(ConnectionFactory, ChoosesTheDriverFromThePath) {
    using K = ConnectionTarget::Kind;
    EXPECT_EQ(ConnectionFactory::target(QStringLiteral("a.mdb")).kind, K::Jet);
    EXPECT_EQ(ConnectionFactory::target(QStringLiteral("a.db")).kind, K::Sqlite);
    EXPECT_EQ(ConnectionFactory::target(QStringLiteral("a.dbf")).kind, K::DBase);
    EXPECT_EQ(ConnectionFactory::target(QStringLiteral("postgresql://h/db")).kind, K::Server);
    EXPECT_EQ(ConnectionFactory::target(QStringLiteral("x.ora")).dataSource, QStringLiteral("x"));
}

TEST(ConnectionFactory, OpensSqliteFilesAndFailsWithAReasonOtherwise) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rocks.sqlite"));
    ASSERT_TRUE(SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate).ok());
    const auto opened = ConnectionFactory::open(path);
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    EXPECT_EQ(opened.connection->dialect(), SqlDialect::Sqlite);
    EXPECT_TRUE(opened.notice.isEmpty());

    const auto missing = ConnectionFactory::open(dir.filePath(QStringLiteral("none.db")));
    EXPECT_FALSE(missing.ok());
    EXPECT_FALSE(missing.error.isEmpty());
    const auto dbase = ConnectionFactory::open(dir.filePath(QStringLiteral("x.dbf")));
    EXPECT_FALSE(dbase.ok());
    EXPECT_EQ(dbase.error, QStringLiteral("The folder ") + dir.path() +
                               QStringLiteral(" holds no dBase files (.dbf)"));
    const auto jet = ConnectionFactory::open(dir.filePath(QStringLiteral("none.mdb")));
    EXPECT_FALSE(jet.ok());
}

TEST(ConnectionFactory, AFailedOpenSaysTheDriversReasonUnderTheFixedText) {
    QTemporaryDir dir;
    const auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    // A real database whose schema page is overwritten.
    const QString damaged = dir.filePath(QStringLiteral("damaged.sqlite"));
    {
        auto db = SqliteConnection::open(damaged, SqliteConnection::Mode::ReadWriteCreate);
        ASSERT_TRUE(db.ok());
        ASSERT_TRUE(db.connection->execute(QStringLiteral("CREATE TABLE Rocks(Id TEXT, Au REAL)")));
    }
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(100);
        f.write(QByteArray(200, '\x5a'));
    }
    write("notes.sqlite", QByteArray("just some words, long enough to fill a header ").repeated(4));
    write("notes.mdb", QByteArray("Standard Jet DB? no, just text ").repeated(40));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.sqlite")));

    struct Case {
        const char* file;
        QString reason;
    };
    const auto at = [&dir](const char* name) { return dir.filePath(QString::fromLatin1(name)); };
    const std::vector<Case> cases{
        {"none.sqlite", "The file " + at("none.sqlite") + " does not exist"},
        {"none.mdb", "The file " + at("none.mdb") + " does not exist"},
        {"folder.sqlite", at("folder.sqlite") + " is a folder, not a database file"},
        {"notes.sqlite", "file is not a database"},
        {"damaged.sqlite", "database disk image is malformed"},
        {"notes.mdb", "The file " + at("notes.mdb") + " is not a readable Jet database"},
    };
    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [](const QString& p) { return ConnectionFactory::open(p); },
        [](const QString& p) { return MapFile::pathFor(p, false, {}); });
    for (const Case& c : cases) {
        dialogs.clearLog();
        session.SessionDatabasePath = at(c.file);
        EXPECT_FALSE(session.OpenSessionDatabase({false, false, false})) << c.file;
        EXPECT_EQ(dialogs.texts(),
                  QStringList{"Database " + at(c.file) +
                              " can not be opened neither by using DAO nor ADO connection\r\n" +
                              c.reason})
            << c.file;
    }
}

TEST(ConnectionFactory, AnUnreadableFileSaysPermissionDenied) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: every file can be read";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("locked.sqlite"));
    ASSERT_TRUE(SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate).ok());
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::WriteOwner));
    EXPECT_EQ(ConnectionFactory::open(path).error, QStringLiteral("Permission denied: the file ") +
                                                       path + QStringLiteral(" can not be read"));
}

TEST(ConnectionFactory, OpensAJetFileThroughItsWorkingCopyAndSaysWhereItIsOnce) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("Dates.mdb"));
    ASSERT_TRUE(
        QFile::copy(testpaths::testData(QStringLiteral("jet/DateTestDatabase.mdb")), source));
    const auto first = ConnectionFactory::open(source);
    ASSERT_TRUE(first.ok()) << first.error.toStdString();
    EXPECT_EQ(first.notice, QStringLiteral("Working copy of ") + source + QStringLiteral(" is ") +
                                dir.filePath(QStringLiteral("Dates.jet.sqlite")));
    const auto rows = first.connection->query(QStringLiteral("SELECT count(*) FROM [DateTest]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(0, 0), CellValue::number(6));
    const auto second = ConnectionFactory::open(source);
    ASSERT_TRUE(second.ok());
    EXPECT_TRUE(second.notice.isEmpty());
    // Written as the design writes paths.
    EXPECT_TRUE(
        ConnectionFactory::open(QString(source).replace(QLatin1Char('/'), QLatin1Char('\\'))).ok());
}

TEST(ConnectionFactory, OpensADbaseFolderThroughItsWorkingCopyAndTheCatalogueSeesItsTables) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("survey"));
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_FALSE(testdbf::write(folder, QStringLiteral("samples"), "LDID/87",
                                {{"SAMPLENO", 'C', 10}, {"AU", 'N', 8, 3}, {"NOTES", 'M', 10}},
                                {{"S1", "0.125", std::nullopt}, {"S2", std::nullopt, "3"}})
                     .isEmpty());
    ASSERT_FALSE(
        testdbf::write(folder, QStringLiteral("holes"), "LDID/87", {{"HOLEID", 'C', 8}}, {{"H1"}})
            .isEmpty());

    // The person picks one table file; the session database is the whole folder.
    const QString path = folder + QStringLiteral("/samples.dbf");
    const QString notice = QStringLiteral("Working copy of ") + folder + QStringLiteral("/ is ") +
                           dir.filePath(QStringLiteral("survey.dbase.sqlite"));
    const auto direct = ConnectionFactory::open(path);
    ASSERT_TRUE(direct.ok()) << direct.error.toStdString();
    EXPECT_EQ(direct.notice, notice);
    EXPECT_EQ(direct.warnings.size(), 1); // the memo field
    EXPECT_TRUE(direct.warnings.value(0).contains(QStringLiteral("field NOTES: memo texts")));

    ScriptedDialogs dialogs;
    HeadlessStatus status;
    SessionDatabase session(
        dialogs, status, [](const QString& p) { return ConnectionFactory::open(p); },
        [](const QString& p) { return MapFile::pathFor(p, false, {}); });
    QFile::remove(dir.filePath(QStringLiteral("survey.dbase.sqlite")));
    for (int open = 0; open < 2; ++open) {
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({false, true, true}));
        EXPECT_EQ(session.catalogue().tableNames(), (QStringList{"holes", "samples"}));
        const auto rows =
            session.connection()->query(QStringLiteral("SELECT [AU] FROM [samples] WHERE "
                                                       "[SAMPLENO] = 'S1'"));
        ASSERT_TRUE(rows) << session.connection()->lastError().toStdString();
        EXPECT_EQ(rows->at(0, 0), CellValue::number(0.125));
        session.CloseSessionDatabase();
    }
    // Told once: the map file written into the folder does not make the copy stale.
    EXPECT_EQ(status.texts().count(notice), 1) << status.texts().join('\n').toStdString();
    // What the import left out is said with it, once.
    EXPECT_EQ(status.texts().count(direct.warnings.value(0)), 1);
    EXPECT_TRUE(dialogs.texts().isEmpty());
}

TEST(ConnectionFactory, OpensAServerDataSourceThroughPostgres) {
    const QString conninfo = qEnvironmentVariable("QUV_PG_CONNINFO");
    if (conninfo.isEmpty())
        GTEST_SKIP() << "QUV_PG_CONNINFO is not set: no PostgreSQL server to test against";
    const auto opened = ConnectionFactory::open(conninfo);
    ASSERT_TRUE(opened.ok()) << opened.error.toStdString();
    EXPECT_EQ(opened.connection->dialect(), SqlDialect::Postgres);
    const auto rows = opened.connection->query(QStringLiteral("SELECT 1 + 1 AS [two]"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->at(0, 0), CellValue::number(2));
}

} // namespace
