// A Jet file or dBase folder that changed after its working copy was made: the copy may hold the
// person's edits, so the session asks before importing anew and keeps the old copy.
#include "db/ConnectionFactory.h"
#include "db/MapFile.h"
#include "db/SessionDatabase.h"
#include "platform/HeadlessStatus.h"
#include "platform/ScriptedDialogs.h"
#include "platform/legacy/StaleCopyQuestion.h"
#include "platform/sqlite/SqliteConnection.h"
#include "support/DbfFiles.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One kind of legacy source: how to make it, where its copy lies, a text cell to edit.
struct Source {
    const char* kind;
    QString (*make)(const QDir& dir); // the path the person opens
    const char* copy;                 // the working copy's file name
    const char* table;
    const char* textColumn;
    const char* keyCondition; // picks one row
};

QString makeDbase(const QDir& dir) {
    const QString folder = dir.filePath(QStringLiteral("survey"));
    if (!QDir().mkpath(folder) || testdbf::write(folder, QStringLiteral("samples"), "LDID/87",
                                                 {{"SAMPLENO", 'C', 10}, {"ROCK", 'C', 12}},
                                                 {{"S1", "Granite"}, {"S2", "Basalt"}})
                                      .isEmpty())
        return {};
    return folder + QStringLiteral("/samples.dbf");
}

QString makeJet(const QDir& dir) {
    const QString source = dir.filePath(QStringLiteral("Dates.mdb"));
    if (!QFile::copy(testpaths::testData(QStringLiteral("jet/DateTestDatabase.mdb")), source))
        return {};
    QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner);
    return source;
}

const Source sources[] = {
    {"dBase", makeDbase, "survey.dbase.sqlite", "samples", "ROCK", "[SAMPLENO] = 'S1'"},
    {"Jet", makeJet, "Dates.jet.sqlite", "DateTest", "ShortTextCol", "[IDCol] = 1"},
};

enum class Change { Touched, Damaged };
struct Case {
    Answer answer;
    Change change;
    bool opens;
    bool editInCopy;   // the edit is still in the working copy afterwards
    bool editInBackup; // ... and in <copy>.bak (which exists only then)
};

const Case cases[] = {
    {Answer::Yes, Change::Touched, true, false, true},  // imported anew, the old copy kept
    {Answer::No, Change::Touched, true, true, false},   // the copy used as it is
    {Answer::Yes, Change::Damaged, false, true, false}, // a failed import changes nothing
};

const QString edited = QStringLiteral("edited in the grid");

// Whether the file holds the edit: read from the file itself, not through the session.
bool holdsEdit(const QString& file, const Source& s) {
    auto opened = SqliteConnection::open(file, SqliteConnection::Mode::ReadOnly);
    if (!opened.ok())
        return false;
    const auto rows =
        opened.connection->query(QStringLiteral("SELECT [%1] FROM [%2] WHERE %3")
                                     .arg(QLatin1String(s.textColumn), QLatin1String(s.table),
                                          QLatin1String(s.keyCondition)));
    return rows && rows->rowCount() == 1 && rows->at(0, 0) == CellValue::text(edited);
}

bool dateLater(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadWrite) && f.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                                         QFileDevice::FileModificationTime);
}

bool damage(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(QByteArray(8192, '\x01')) == 8192;
}

void PrintTo(const Source& s, std::ostream* os) {
    *os << s.kind;
}

class WorkingCopyReimport : public ::testing::TestWithParam<Source> {};

TEST_P(WorkingCopyReimport, AsksKeepsTheOldCopyAndNeverLosesTheEdit) {
    const Source& s = GetParam();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << s.kind << " answer " << int(c.answer) << " change " << int(c.change));
        QTemporaryDir dir;
        const QString path = s.make(QDir(dir.path()));
        ASSERT_FALSE(path.isEmpty());
        const QString copy = dir.filePath(QLatin1String(s.copy));
        const QString backup = copy + QStringLiteral(".bak");

        ScriptedDialogs dialogs;
        HeadlessStatus status;
        SessionDatabase session(dialogs, status, ConnectionFactory::sessionOpener(dialogs),
                                [](const QString& p) { return MapFile::pathFor(p, false, {}); });
        session.SessionDatabasePath = path;
        ASSERT_TRUE(session.OpenSessionDatabase({false, false, false}));
        ASSERT_TRUE(session.connection()->execute(
            QStringLiteral("UPDATE [%1] SET [%2] = ? WHERE %3")
                .arg(QLatin1String(s.table), QLatin1String(s.textColumn),
                     QLatin1String(s.keyCondition)),
            {CellValue::text(edited)}));
        session.CloseSessionDatabase();
        ASSERT_TRUE(c.change == Change::Touched ? dateLater(path)
                                                : damage(path) && dateLater(path));

        dialogs.queueAnswer(c.answer);
        session.SessionDatabasePath = path;
        EXPECT_EQ(session.OpenSessionDatabase({false, false, false}), c.opens);
        ASSERT_FALSE(dialogs.log().empty());
        EXPECT_EQ(dialogs.log().front().text, StaleCopyQuestion::text(backup));
        EXPECT_EQ(dialogs.log().front().shown, ScriptedDialogs::Shown::Question);

        EXPECT_EQ(holdsEdit(copy, s), c.editInCopy);
        EXPECT_EQ(QFile::exists(backup), c.editInBackup);
        EXPECT_EQ(holdsEdit(backup, s), c.editInBackup);
        EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".part")));
        if (c.opens && c.answer == Answer::Yes) {
            EXPECT_TRUE(status.texts().join('\n').contains(
                QStringLiteral("the previous copy is kept in ") + backup));
        }
        session.CloseSessionDatabase();
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, WorkingCopyReimport, ::testing::ValuesIn(sources),
                         [](const auto& info) { return std::string(info.param.kind); });

// A second re-import keeps both earlier states: no backup is ever overwritten.
TEST(WorkingCopyReimport, NumbersFurtherBackups) {
    QTemporaryDir dir;
    const QString path = makeDbase(QDir(dir.path()));
    ASSERT_FALSE(path.isEmpty());
    const QString copy = dir.filePath(QStringLiteral("survey.dbase.sqlite"));
    ScriptedDialogs dialogs;
    ASSERT_TRUE(ConnectionFactory::sessionOpener(dialogs)(path).ok());
    for (const char* kept : {".bak", ".2.bak"}) {
        ASSERT_TRUE(dateLater(path));
        dialogs.queueAnswer(Answer::Yes);
        ASSERT_TRUE(ConnectionFactory::sessionOpener(dialogs)(path).ok());
        EXPECT_TRUE(QFile::exists(copy + QLatin1String(kept))) << kept;
    }
    // Helpers without a person to ask keep using the copy they find.
    ASSERT_TRUE(dateLater(path));
    const auto helper = ConnectionFactory::open(path);
    ASSERT_TRUE(helper.ok());
    EXPECT_TRUE(helper.notice.isEmpty());
    EXPECT_FALSE(QFile::exists(copy + QStringLiteral(".3.bak")));
}

} // namespace
